#include "dutch_texts.h"

#include <QCoreApplication>
#include <QTranslator>

#include <array>
#include <cstring>

namespace koppelo::runtime::qt {

namespace {

constexpr char kTranslatorName[] = "dutchToolkitTexts";

struct ToolkitText {
    const char* context;
    const char* english;
    const char* dutch;
};

// The toolkit's texts this game shows, as the toolkit's own Dutch translation
// has them: built in, as a program on its own has no translation files.
constexpr std::array kToolkitTexts{
    ToolkitText{"QPlatformTheme", "&Yes", "&Ja"},
    ToolkitText{"QPlatformTheme", "&No", "&Nee"},
};

class DutchToolkitTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* english, const char*, int) const override
    {
        if (context == nullptr || english == nullptr)
            return {};
        for (const ToolkitText& text : kToolkitTexts) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(english, text.english) == 0)
                return QString::fromUtf8(text.dutch);
        }
        return {};
    }
};

}  // namespace

void useDutchToolkitTexts()
{
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QString::fromLatin1(kTranslatorName);
    if (application == nullptr || application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    // Owned by the application, so it lives as long as the texts are shown.
    auto* texts = new DutchToolkitTexts(application);
    texts->setObjectName(name);
    QCoreApplication::installTranslator(texts);
}

}  // namespace koppelo::runtime::qt
