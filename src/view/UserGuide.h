#pragma once
#include <QString>
#include <QStringList>

class QUrl;
class QWidget;

// Help > Contents: the user guide (docs/guide/index.html, with the pictures in
// docs/screenshots) opened in the desktop's web browser. Everything here runs
// on the user-interface thread.

// Opens a URL outside the program (the desktop's browser). Tests put their own.
class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    // True when the desktop accepted the URL.
    virtual bool Open(const QUrl& url) = 0;
};

// The opener in use: QDesktopServices unless a test has put its own.
IUrlOpener& UrlOpener();
void SetUrlOpener(IUrlOpener* opener);   // nullptr restores the desktop's

// Where the guide is looked for, in order: beside the program
// (<programDir>/guide), where the install puts it (<programDir>/../share/
// sonivel/guide) and in the source tree the program was built from (for a
// program run from its build folder).
QStringList UserGuidePlaces(const QString& programDir);

// Opens the first of places that exists in the browser. When none exists,
// a message box lists every place looked at; when the browser cannot be
// started, a message box names the guide. True only when the guide was handed
// to the browser.
bool OpenUserGuide(QWidget* parent, const QStringList& places);
