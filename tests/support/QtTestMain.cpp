#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <gtest/gtest.h>

namespace {

// Each test keeps the windows' settings in a folder of its own, never the
// user's, so no test starts with what another one left.
class CConfigPerTest final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_pDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_pDir->path().toLocal8Bit());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { m_pDir.reset(); }
    std::unique_ptr<QTemporaryDir> m_pDir;
};

} // namespace

// The main program of every widget test: a QApplication on the offscreen
// platform exists before GoogleTest runs the tests.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);   // no settings of the user
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CConfigPerTest);
    return RUN_ALL_TESTS();
}
