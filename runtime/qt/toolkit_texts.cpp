#include "toolkit_texts.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstring>

#include "texts/catalogue.h"

namespace koppelo::runtime::qt {

namespace {

constexpr char kTranslatorName[] = "toolkitTexts";

class ToolkitTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (context == nullptr || source == nullptr)
            return {};
        for (const texts::ToolkitText& text : texts::chosen().toolkit) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
                return QString::fromUtf8(text.translation);
        }
        return {};
    }
};

}  // namespace

void useToolkitTexts()
{
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QString::fromLatin1(kTranslatorName);
    if (application == nullptr || application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    // Owned by the application, so it lives as long as the texts are shown.
    auto* texts = new ToolkitTexts(application);
    texts->setObjectName(name);
    QCoreApplication::installTranslator(texts);
}

}  // namespace koppelo::runtime::qt
