#include "dutch_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace koppelo::runtime::qt {

namespace {

constexpr char kTranslatorName[] = "dutchToolkitTexts";

}  // namespace

void useDutchToolkitTexts()
{
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QString::fromLatin1(kTranslatorName);
    if (application == nullptr || application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    // Owned by the application, so it lives as long as the texts are shown.
    auto* texts = new QTranslator(application);
    texts->setObjectName(name);
    if (texts->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
}

}  // namespace koppelo::runtime::qt
