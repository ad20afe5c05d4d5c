// The mouse as a control sees it: typed hooks, a hover flag the base keeps,
// the cursor, repaints that show the hover, and mouse events that end at
// the control's window instead of travelling on to its parent's.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"

#include "ControlModule.h"
#include "EventRecorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

namespace {

// Counts the mouse presses that reach a window.
class CPressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) ++presses;
        return false;
    }
};

std::u16string MouseLog(ISampleCtrl* control)
{
    CComBSTR log;
    EXPECT_EQ(control->get_MouseLog(&log), S_OK);
    return log.str();
}

QRgb Pixel(QWidget* window) { return window->grab().toImage().pixel(3, 3) & 0xFFFFFF; }

TEST(ControlMouseTest, HoverClickAndLeaveReachTheHooksAndStopAtTheControl)
{
    TestEnvironment env;
    RegisterControlModule(env);
    QWidget parent;
    parent.resize(600, 600);
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleComposite, &parent, QRect(0, 0, 522, 499), nullptr, true), S_OK);
    parent.show();
    CComPtr<ISampleComposite> composite;
    host.QueryControl(IID_ISampleComposite, reinterpret_cast<void**>(&composite));
    CComPtr<IDispatch> found;
    composite->GetChild(301, &found);
    CComPtr<ISampleCtrl> leaf;
    found.QueryInterface(IID_ISampleCtrl, &leaf);
    QWidget* window = nullptr;
    composite->GetChildWindow(301, &window);
    ASSERT_TRUE(leaf && window);
    CPressCounter counter;
    host.Window()->installEventFilter(&counter);
    std::vector<RecordedEvent> log;
    CComPtr<CEventRecorder> sink;
    sink.Attach(new CEventRecorder("sink", log));
    CComPtr<IConnectionPoint> point;
    const DWORD cookie = Connect(composite, DIID__ISampleCompositeEvents, sink, point);
    const QRgb fill = 0xFFD700, hover = 0xFFD700 ^ 0xFFFFFF;  // BackColor 0x00D7FF
    const QPoint inside(5, 5), outside = window->geometry().bottomRight() + QPoint(20, 20);

    struct Step {
        const char* what;
        std::function<void()> act;
        std::u16string log;
        QRgb pixel;
        Qt::CursorShape cursor;
    };
    constexpr Qt::CursorShape hand = Qt::PointingHandCursor, arrow = Qt::ArrowCursor;
    const Step steps[] = {
        {"the pointer comes over it", [&] { QTest::mouseMove(window, inside); }, u"E", hover, hand},
        {"it is clicked", [&] { QTest::mouseClick(window, Qt::LeftButton, {}, inside); }, u"ED", hover, arrow},
        // QTest forgets where the pointer was after a click: a move inside
        // first, as a real pointer would have made, before leaving.
        {"the pointer leaves", [&] {
             QTest::mouseMove(window, inside + QPoint(2, 0));
             QTest::mouseMove(host.Window(), outside);
         }, u"EDL", fill, arrow},
        {"disabled, the pointer comes back", [&] {
             leaf->put_Enabled(VARIANT_FALSE);
             QTest::mouseMove(window, inside);
         }, u"EDL", fill, arrow},
        {"enabled again, it moves", [&] {
             leaf->put_Enabled(VARIANT_TRUE);
             QTest::mouseMove(window, inside + QPoint(1, 1));
         }, u"EDLE", hover, hand},
        {"disabled while hovered: no hover, and no leave later", [&] {
             leaf->put_Enabled(VARIANT_FALSE);
             QTest::mouseMove(host.Window(), outside);
         }, u"EDLE", fill, hand},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(MouseLog(leaf), step.log);
        EXPECT_EQ(Pixel(window), step.pixel);
        EXPECT_EQ(window->cursor().shape(), step.cursor);
    }
    EXPECT_EQ(counter.presses, 0) << "the click ended at the control's window";
    ASSERT_EQ(log.size(), 1u) << "the click rang once";
    point->Unadvise(cookie);
    host.Close();
}

}  // namespace
