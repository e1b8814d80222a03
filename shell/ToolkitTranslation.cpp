#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <shell/ToolkitTranslation.h>
#include <text/text.h>

namespace {

const auto kTranslatorName = QStringLiteral("ToolkitTranslation");

} // namespace

void UseToolkitLanguage(text::Language language)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    // One translator at a time: the previous language's goes first.
    delete app->findChild<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly);
    const QString code = language == text::French    ? QStringLiteral("fr")
                         : language == text::Spanish ? QStringLiteral("es")
                                                     : QString();
    if (code.isEmpty())
        return;
    auto *translator = new QTranslator(app);
    translator->setObjectName(kTranslatorName);
    if (translator->load(QStringLiteral("qtbase_") + code,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
