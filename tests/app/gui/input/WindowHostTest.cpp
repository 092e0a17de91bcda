// An input window on a host of its own, with no main window behind it: the window reaches the
// project, its modified state and the MDI area only through the host.
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "QtTestApplication.h"
#include "TProgramData.h"
#include "entry/TDataEdit.h"
#include "host/TWindowHost.h"
#include "input/TDlgBlock.h"
#include "input/TInputWindow.h"
#include "plot/TGraphPlot.h"
#include "seams/MessageSeam.h"

namespace {

// The least a window needs: a project, a modified flag and an MDI area to live in.
class TTestHost : public TWindowHost
{
public:
    TTestHost()
    {
        ResetProject(m_data, &m_tables, &m_cpt);
        m_mdi->resize(900, 700);
    }

    TProgramData& Data() override { return m_data; }
    TProjectTables& Tables() override { return m_tables; }
    TGraphPlot& MotionInput() override { return m_cpt; }
    TGraphPlot& CptConverted() override { return m_converted; }
    QMdiArea* MdiArea() const override { return m_mdi.get(); }
    TChartForm* ChartForm() const override { return nullptr; }
    bool IsModified() const override { return m_modified; }
    void SetModified(bool value) override { m_modified = value; }
    void ShowCptProfile() override {}
    void ShowCptConverted() override {}
    void UpdatePileShapeMenus() override {}

    QMdiArea& Area() { return *m_mdi; }

private:
    TProgramData m_data;
    TProjectTables m_tables;
    TGraphPlot m_cpt;
    TGraphPlot m_converted;
    std::unique_ptr<QMdiArea> m_mdi = std::make_unique<QMdiArea>();
    bool m_modified = false;
};

class WindowHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_host = std::make_unique<TTestHost>();
        m_host->Area().show();
        QApplication::setActiveWindow(&m_host->Area());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_host->Area()));
    }

    static void Click(QAbstractButton* button)
    {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, {4, button->height() / 2});
    }

    std::unique_ptr<TTestHost> m_host;
    std::vector<std::string> Messages;

private:
    TMessageSeam::Override m_messages{[this](const TMessageRequest& r) {
        Messages.push_back(r.text);
        return EMessageResult::Ok;
    }};
};

} // namespace

TEST_F(WindowHostTest, WindowOnItsOwnHostStoresWhatIsTypedAndMarksTheProject)
{
    m_host->Data().CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    m_host->Data().CriticalDepth = 6;
    auto* w = static_cast<TDlgBlock*>(TInputWindow::Open<TDlgBlock>(*m_host));
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->SubWindow(), nullptr);
    EXPECT_EQ(w->SubWindow()->mdiArea(), &m_host->Area());
    EXPECT_EQ(TInputWindow::FindOpenWindow(*m_host, EInputWindow::CriticalDepth), w);
    EXPECT_FALSE(m_host->IsModified()); // showing the project is no change to it

    Click(w->findChild<QRadioButton*>("RadioButton3"));
    auto* depth = w->findChild<TDataEdit*>("DataEdit1");
    ASSERT_NE(depth, nullptr);
    QTest::mouseClick(depth, Qt::LeftButton);
    QTest::keyClick(depth, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(depth, Qt::Key_Delete);
    QTest::keyClicks(depth, "7.5");
    QTest::keyClick(depth, Qt::Key_Tab);
    Click(w->findChild<QPushButton*>("Button1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    EXPECT_EQ(m_host->Data().CriticalDepthOption, CriticalDepthOptionCode::kUserDepth);
    EXPECT_EQ(m_host->Data().CriticalDepth, 7.5L);
    EXPECT_TRUE(m_host->IsModified());
    EXPECT_EQ(TInputWindow::FindOpenWindow(*m_host, EInputWindow::CriticalDepth), nullptr);
    EXPECT_TRUE(Messages.empty());
}
