#include "settings/SettingsFile.h"

#include <cstdio>
#include <functional>

#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include "settings/AppSettings.h"

namespace settingsfile {

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;

QString FilePath()
{
    return QString::fromLocal8Bit(sonivel::AppSettingsPath().c_str());
}

// A settings file QSettings may read: none yet, or a small regular file.
bool Readable(const QFileInfo& file)
{
    return !file.exists() || (file.isFile() && file.size() <= kMaxFileBytes);
}

void ReportWriteFailure(const QString& path, const char* reason)
{
    std::fprintf(stderr, "sonivel: cannot write the settings file %s: %s\n", path.toLocal8Bit().constData(),
                 reason);
}

// Saves the window's geometry as it is hidden or closed.
class CGeometryKeeper final : public QObject {
public:
    CGeometryKeeper(QWidget* window, QString key) : QObject(window), m_pWindow(window), m_key(std::move(key))
    {
        window->installEventFilter(this);
    }
    // The window goes with its owner while still shown.
    ~CGeometryKeeper() override
    {
        if (m_pWindow->isVisible())
            Keep();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_pWindow && (event->type() == QEvent::Close || event->type() == QEvent::Hide))
            Keep();
        return false;
    }
    void Keep() { Write({{m_key, m_pWindow->saveGeometry()}}); }

private:
    QWidget* m_pWindow;
    QString m_key;
};

// Runs read on the file's QSettings; false when there is no file to read.
bool ReadFile(const std::function<void(const QSettings&)>& read)
{
    const QString path = FilePath();
    if (path.isEmpty() || !Readable(QFileInfo(path)))
        return false;
    const QSettings settings(path, QSettings::IniFormat);
    read(settings);
    return true;
}

} // namespace

QVariant Read(const QString& key)
{
    QVariant value;
    ReadFile([&](const QSettings& settings) { value = settings.value(key); });
    return value;
}

sonivel::SAppSettings ReadAppSettings()
{
    sonivel::SAppSettings result;
    ReadFile([&](const QSettings& settings) {
        const auto lookup = [&settings](const std::string& key) -> std::optional<std::string> {
            const QVariant v = settings.value(QString::fromStdString(key));
            if (!v.isValid() || !v.canConvert<QString>())
                return std::nullopt;
            return v.toString().toStdString();
        };
        const auto exists = [](const std::string& device) {
            return QFileInfo::exists(QString::fromStdString(device));
        };
        result = sonivel::ParseAppSettings(lookup, exists);
    });
    return result;
}

QList<QPair<QString, QVariant>> Values(const sonivel::SAppSettings& settings)
{
    QList<QPair<QString, QVariant>> values;
    for (const auto& [key, text] : sonivel::AppSettingsValues(settings))
        values.append({QString::fromStdString(key), QString::fromStdString(text)});
    return values;
}

bool Write(const QList<QPair<QString, QVariant>>& values)
{
    const QString path = FilePath();
    if (path.isEmpty())
        return false;
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) {
        ReportWriteFailure(path, "it is not a regular file");
        return false;
    }
    if (!Readable(file)) {
        ReportWriteFailure(path, "it is too big to be a settings file");
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
    settings.sync();
    if (settings.status() == QSettings::AccessError) {
        ReportWriteFailure(path, "access denied or disk full");
        return false;
    }
    return true;
}

void RememberGeometry(QWidget* window, const QString& key)
{
    const QVariant saved = Read(key);
    if (saved.typeId() == QMetaType::QByteArray)
        window->restoreGeometry(saved.toByteArray());
    new CGeometryKeeper(window, key);
}

} // namespace settingsfile
