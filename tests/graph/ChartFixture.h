#pragma once
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "graph/GraphicsBtn.h"

namespace graphtest {

// Points the colour settings at an empty temporary folder for the test.
class CTempConfig {
public:
    CTempConfig()
    {
        m_old = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    }
    ~CTempConfig()
    {
        if (m_old.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_old);
    }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

inline QRgb ToRgb(sonivel::Colorref c)
{
    return qRgb(sonivel::RedOf(c), sonivel::GreenOf(c), sonivel::BlueOf(c));
}

inline const QRgb kMargin = qRgb(170, 175, 195);

} // namespace graphtest
