#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QUrl>
#include <shell/UsersGuide.h>

namespace guide {

QString Find(const QString &executableDir)
{
    const QDir installed(QDir(executableDir).filePath(QStringLiteral(VARNO_BIN_TO_DOC)));
    const QString candidates[] = {
        installed.filePath(QStringLiteral("guide.html")),
        installed.filePath(QStringLiteral("guide.md")),
        QStringLiteral(VARNO_SOURCE_DOCS "/guide.md"),
    };
    for (const QString &file : candidates)
        if (!executableDir.isEmpty() && QFileInfo(file).isFile())
            return QFileInfo(file).absoluteFilePath();
    return {};
}

QString RenderHtml(const QString &markdownFile, const QString &folder)
{
    QFile source(markdownFile);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    document.setMetaInformation(QTextDocument::DocumentTitle,
                                QFileInfo(markdownFile).completeBaseName());
    QString html = document.toHtml();
    // The pictures' paths are relative to the guide's own folder.
    const QString base =
        QStringLiteral("<base href=\"%1\">")
            .arg(QUrl::fromLocalFile(QFileInfo(markdownFile).absolutePath() + QLatin1Char('/'))
                     .toString(QUrl::FullyEncoded)
                     .toHtmlEscaped());
    const qsizetype head = html.indexOf(QLatin1String("<head>"));
    if (head >= 0)
        html.insert(head + 6, base);
    if (!QDir().mkpath(folder))
        return {};
    const QString page = QDir(folder).filePath(QStringLiteral("varno-programmer-guide.html"));
    QFile out(page);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(html.toUtf8()) < 0)
        return {};
    return page;
}

} // namespace guide
