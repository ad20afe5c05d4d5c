// A sink may do anything from inside an event, down to closing the whole
// composite from a click deep in a chain of composites; a control's own
// fault stops at the component boundary, said and answered with a code.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"

#include "ControlModule.h"
#include "EventRecorder.h"
#include "WarningRecorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace {

using ReentrancyTest = ControlModuleTest;

QWidget* ChildWindow(IUnknown* composite, LONG id)
{
    CComPtr<ISampleComposite> face;
    composite->QueryInterface(IID_ISampleComposite, reinterpret_cast<void**>(&face));
    QWidget* window = nullptr;
    if (face) face->GetChildWindow(id, &window);
    return window;
}

CComPtr<IUnknown> Child(IUnknown* composite, LONG id)
{
    CComPtr<ISampleComposite> face;
    composite->QueryInterface(IID_ISampleComposite, reinterpret_cast<void**>(&face));
    CComPtr<IDispatch> child;
    if (face) face->GetChild(id, &child);
    return CComPtr<IUnknown>(child.get());
}

TEST_F(ReentrancyTest, ASinkClosesTheHostFromAClickAnyDepthBelow)
{
    // Depth one: composite, leaf. Depth two: outer, inner composite, leaf.
    for (const CLSID& clsid : {CLSID_SampleComposite, CLSID_SampleOuter}) {
        const bool outer = clsid == CLSID_SampleOuter;
        SCOPED_TRACE(outer ? "depth two" : "depth one");
        auto host = std::make_unique<CControlHost>();
        ASSERT_EQ(host->Create(clsid, &parent, QRect(0, 0, 522, 499), nullptr, true), S_OK);
        parent.show();
        CComPtr<IUnknown> top(host->Control());
        CComPtr<IUnknown> holder = outer ? Child(top, 301) : top;
        QWidget* leaf = ChildWindow(holder, 301);
        ASSERT_TRUE(leaf);
        QPointer<QWidget> leafWatch(leaf), topWatch(host->Window());

        std::vector<RecordedEvent> log;
        CComPtr<CEventRecorder> sink;
        sink.Attach(new CEventRecorder("sink", log));
        sink->onEvent = [&] { host->Close(); };
        CComPtr<IConnectionPoint> point;
        const DWORD cookie = Connect(top, DIID__ISampleCompositeEvents, sink, point);
        holder.Release();

        QTest::mouseMove(leaf, QPoint(5, 5));
        QTest::mouseClick(leaf, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_EQ(log.size(), 1u) << "the click was reported once, then the host closed";
        EXPECT_EQ(host->Control(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(leafWatch.isNull() && topWatch.isNull()) << "the windows went once the click returned";
        point->Unadvise(cookie);
        top.Release();
        parent.hide();
    }
}

TEST_F(ReentrancyTest, AFaultyControlIsRefusedOrAbsorbedAndSaidNeverThrown)
{
    CWarningRecorder warnings;
    CComPtr<ISampleCtrl> faulty = CreateControl<ISampleCtrl>(CLSID_SampleCtrl, IID_ISampleCtrl);
    ASSERT_EQ(faulty->put_Count(kSampleFaultyCount), S_OK);

    // Its window's creation throws: no window, a failure code, a warning.
    CComPtr<IWindowedControl> windowed;
    faulty.QueryInterface(IID_IWindowedControl, &windowed);
    EXPECT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 20, 20), TRUE), E_UNEXPECTED);
    QWidget* window = reinterpret_cast<QWidget*>(1);
    windowed->GetWindow(&window);
    EXPECT_EQ(window, nullptr);
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty() ||
                parent.findChildren<QWidget*>().first()->isHidden());

    // A dispatched call that throws answers E_UNEXPECTED.
    CComVariant count = CComVariant::I2(static_cast<SHORT>(kSampleFaultyCount));
    DISPPARAMS params{&count, nullptr, 1, 0};
    EXPECT_EQ(faulty->Invoke(DISPID_SAMPLE_RING, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              E_UNEXPECTED);

    // A paint that throws is absorbed: the window lives on.
    ASSERT_EQ(faulty->put_Count(0), S_OK);
    ASSERT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 20, 20), TRUE), S_OK);
    windowed->GetWindow(&window);
    ASSERT_EQ(faulty->put_Count(kSampleFaultyCount), S_OK);
    window->grab();
    windowed->GetWindow(&window);
    EXPECT_TRUE(window);

    ASSERT_EQ(warnings.Warnings().size(), 3u);
    for (const std::string& warning : warnings.Warnings())
        EXPECT_NE(warning.find("{3F6C2E10-5A7B-4C3D-8E91-1A2B3C4D5E60}"), std::string::npos) << warning;
    EXPECT_NE(warnings.Warnings()[0].find("CreateControlWindow was absorbed: a faulty sample"), std::string::npos);
    EXPECT_NE(warnings.Warnings()[1].find("a faulty ring"), std::string::npos);
    EXPECT_NE(warnings.Warnings()[2].find("a faulty paint"), std::string::npos);
    windowed->InPlaceDeactivate();
}

}  // namespace
