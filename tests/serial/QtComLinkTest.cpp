// The Qt adapter: chunks arrive on the UI thread, in order; /dev changes are
// reported once, debounced.
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <fstream>

#include "PtyPair.h"
#include "serial/QtComLink.h"

TEST(QtComLink, ChunksArriveOnTheUiThreadInOrder)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CQtComLink link;
    std::vector<QByteArray> chunks;
    bool onUiThread = true;
    QObject::connect(&link, &CQtComLink::ChunkReceived, [&](const QByteArray& c) {
        onUiThread = onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        chunks.push_back(c);
    });
    std::string message;
    ASSERT_TRUE(link.Open(pty.Path(), message)) << message;
    std::vector<std::uint8_t> bytes(45);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    pty.Send(bytes);
    QTRY_COMPARE_WITH_TIMEOUT(chunks.size(), std::size_t(3), 20000);
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(chunks[0].size(), 20);
    EXPECT_EQ(chunks[2].size(), 5);
    EXPECT_EQ(static_cast<std::uint8_t>(chunks[1][0]), 20);

    EXPECT_FALSE(link.Open("/nonexistent/ttyUSB0", message));
    EXPECT_EQ(message.rfind("Warning:Can't open /nonexistent/ttyUSB0! ", 0), 0u);
}

TEST(QtComLink, DestroyedWithChunksInFlightDoesNotDeliverToTheDeadObject)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    int delivered = 0;
    {
        CQtComLink link;
        QObject::connect(&link, &CQtComLink::ChunkReceived, [&](const QByteArray&) { ++delivered; });
        std::string message;
        ASSERT_TRUE(link.Open(pty.Path(), message));
        pty.Send(std::vector<std::uint8_t>(20, 1));
        QThread::msleep(50);   // queued, not yet delivered
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, 0);
}

TEST(DeviceWatcher, ReportsAChangeOnceAfterItSettles)
{
    QTemporaryDir dev;
    CDeviceWatcher watcher(dev.path(), 100);
    QSignalSpy spy(&watcher, &CDeviceWatcher::DevicesChanged);
    std::ofstream((dev.path() + "/ttyUSB0").toStdString()) << "";
    std::ofstream((dev.path() + "/ttyUSB1").toStdString()) << "";
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
    QTest::qWait(250);
    EXPECT_EQ(spy.count(), 1);
}
