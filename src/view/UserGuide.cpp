#include "view/UserGuide.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "dialogs/Dialogs.h"

namespace {

class CDesktopOpener final : public IUrlOpener {
public:
    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

IUrlOpener* g_pOpener = nullptr;

const QString kCaption = QStringLiteral("Help");
const QString kGuideFile = QStringLiteral("guide/index.html");

} // namespace

IUrlOpener& UrlOpener()
{
    static CDesktopOpener desktop;
    return g_pOpener ? *g_pOpener : desktop;
}

void SetUrlOpener(IUrlOpener* opener)
{
    g_pOpener = opener;
}

QStringList UserGuidePlaces(const QString& programDir)
{
    const QDir dir(programDir);
    return {
        QDir::cleanPath(dir.filePath(kGuideFile)),
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/sonivel/") + kGuideFile)),
        QDir::cleanPath(QStringLiteral(SONIVEL_SOURCE_DIR "/docs/") + kGuideFile),
    };
}

bool OpenUserGuide(QWidget* parent, const QStringList& places)
{
    for (const QString& place : places) {
        const QFileInfo guide(place);
        if (!guide.isFile())
            continue;
        if (UrlOpener().Open(QUrl::fromLocalFile(guide.absoluteFilePath())))
            return true;
        Dialogs().Message(parent,
                          QStringLiteral("The user guide %1 could not be opened in a web browser.")
                              .arg(QDir::toNativeSeparators(guide.absoluteFilePath())),
                          kCaption, IDialogs::Icon::Warning);
        return false;
    }
    QStringList lines{QStringLiteral("The user guide was not found. Looked for:")};
    for (const QString& place : places)
        lines << QDir::toNativeSeparators(place);
    Dialogs().Message(parent, lines.join(QLatin1Char('\n')), kCaption, IDialogs::Icon::Warning);
    return false;
}
