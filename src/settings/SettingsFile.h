#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include "settings/AppSettings.h"

class QWidget;

// The program's settings file (sonivel::AppSettingsPath()) through QSettings,
// on the user-interface thread. Every call opens the file anew, so the path
// follows $XDG_CONFIG_HOME at the time of the call.
//
// The file never stops the program: only a missing file or a regular file of
// at most 64 KiB is read (a pipe, a device, a folder in its place or a huge
// file reads as empty, without waiting); a value that cannot be read is
// missing. A write that fails (read-only folder, a folder or device in the
// file's place) leaves what was there and reports one line on stderr naming
// the file; the colour settings file beside it is never touched.
namespace settingsfile {

// The value of key, or an invalid QVariant when it is missing or unreadable.
QVariant Read(const QString& key);
// Stores the values and writes the file at once; false (after the line on
// stderr) when the file could not be written.
bool Write(const QList<QPair<QString, QVariant>>& values);

// The view's and the window's settings as the file holds them, checked
// (sonivel::ParseAppSettings: a manual port comes back while its device
// exists), and as values for Write.
sonivel::SAppSettings ReadAppSettings();
QList<QPair<QString, QVariant>> Values(const sonivel::SAppSettings& settings);

// Gives a top-level window the geometry it had when last hidden or closed
// (key names it) and keeps its geometry each time it is hidden or closed.
// The window then still shows where the desktop puts it when nothing valid
// was stored.
void RememberGeometry(QWidget* window, const QString& key);

} // namespace settingsfile
