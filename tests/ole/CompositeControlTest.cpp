// A composite control laid out from its module's template, hosted by class
// identifier: its children's places, their initial data, the one run of the
// initialisation step, child events, and deactivation.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"
#include "ole/ControlStream.h"
#include "ui/AnimateCtrl.h"

#include "ControlModule.h"
#include "EventRecorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace {

class CompositeControlTest : public ControlModuleTest {
protected:
    CComPtr<ISampleComposite> Host(CControlHost& host)
    {
        EXPECT_EQ(host.Create(CLSID_SampleComposite, &parent, QRect(5, 5, 522, 499), nullptr, true), S_OK);
        CComPtr<ISampleComposite> composite;
        EXPECT_EQ(host.QueryControl(IID_ISampleComposite, reinterpret_cast<void**>(&composite)), S_OK);
        return composite;
    }
};

CComPtr<ISampleCtrl> Child(ISampleComposite* composite, LONG id)
{
    // Through the composite's dispatch table, as a script would ask.
    CComVariant argument = CComVariant::I4(id), result;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    EXPECT_EQ(composite->Invoke(DISPID_COMPOSITE_CHILD, GUID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
              S_OK);
    CComPtr<ISampleCtrl> child;
    if (result.vt == VT_DISPATCH && result.pdispVal)
        result.pdispVal->QueryInterface(IID_ISampleCtrl, reinterpret_cast<void**>(&child));
    return child;
}

QWidget* ChildWindow(ISampleComposite* composite, LONG id)
{
    QWidget* window = nullptr;
    EXPECT_EQ(composite->GetChildWindow(id, &window), S_OK);
    return window;
}

TEST_F(CompositeControlTest, LaysOutItsChildrenFromTheTemplateAndFeedsThemTheirData)
{
    CControlHost host;
    CComPtr<ISampleComposite> composite = Host(host);
    ASSERT_TRUE(composite);
    ASSERT_TRUE(host.Window());
    EXPECT_EQ(host.Window()->parentWidget(), &parent);
    EXPECT_EQ(host.Window()->geometry(), QRect(5, 5, 522, 499));

    QWidget* title = ChildWindow(composite, 301);
    QWidget* panel = ChildWindow(composite, 302);
    QWidget* animation = ChildWindow(composite, 303);
    ASSERT_TRUE(title && panel && animation);
    EXPECT_EQ(title->parentWidget(), host.Window());
    EXPECT_EQ(title->geometry(), QRect(29, 18, 340, 26));
    EXPECT_EQ(panel->geometry(), QRect(372, 10, 138, 257));
    EXPECT_EQ(animation->geometry(), QRect(15, 286, 125, 39));
    EXPECT_FALSE(title->isHidden());
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(animation->isHidden());
    EXPECT_TRUE(dynamic_cast<CAnimateCtrl*>(animation));
    EXPECT_EQ(ChildWindow(composite, 999), nullptr);
    EXPECT_FALSE(Child(composite, 303)) << "a native child has no interfaces";

    // 301 has its initial data, 302 started fresh.
    CComPtr<ISampleCtrl> first = Child(composite, 301), second = Child(composite, 302);
    ASSERT_TRUE(first && second);
    CComBSTR caption;
    LONG count = 0;
    OLE_COLOR colour = 0;
    VARIANT_BOOL enabled = 0;
    CComPtr<IFontDisp> font;
    CComPtr<IPictureDisp> picture;
    first->get_Caption(&caption);
    first->get_Count(&count);
    first->get_BackColor(&colour);
    first->get_Enabled(&enabled);
    first->get_Font(&font);
    first->get_Picture(&picture);
    EXPECT_EQ(caption.str(), u"Round 1");
    EXPECT_EQ(count, 7);
    EXPECT_EQ(colour, 0x00D7FFu);
    EXPECT_EQ(enabled, VARIANT_TRUE);
    EXPECT_FALSE(picture);
    ASSERT_TRUE(font);
    FONTDESC arial;
    arial.cySize.int64 = 157500;
    arial.sCharset = 0;
    CComPtr<IFont> expected, loaded;
    OleCreateFontIndirect(arial, IID_IFont, reinterpret_cast<void**>(&expected));
    font.QueryInterface(IID_IFont, &loaded);
    EXPECT_EQ(expected->IsEqual(loaded), S_OK);

    second->get_Caption(&caption);
    second->get_Count(&count);
    second->get_Font(&font);
    EXPECT_TRUE(caption.IsEmpty());
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(font);
}

TEST_F(CompositeControlTest, InitialisesOncePerWindowAndDropsItsChildrenOnDeactivation)
{
    CControlHost host;
    CComPtr<ISampleComposite> composite = Host(host);
    LONG inits = 0;
    composite->get_InitCount(&inits);
    EXPECT_EQ(inits, 1);

    std::vector<RecordedEvent> log;
    CComPtr<CEventRecorder> sink;
    sink.Attach(new CEventRecorder("sink", log));
    CComPtr<IConnectionPoint> point;
    Connect(composite, DIID__ISampleCompositeEvents, sink, point);

    // The composite hears its child and tells its own sinks.
    CComPtr<ISampleCtrl> first = Child(composite, 301);
    first->Ring(9);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].id, DISPID_COMPOSITE_ONCHILDRING);
    EXPECT_EQ(log[0].types, (std::vector<VARTYPE>{VT_I2, VT_I2}));
    EXPECT_EQ(log[0].values, (std::vector<LONG>{301, 9}));

    // Deactivated, it no longer listens, and its children lost their windows.
    QPointer<QWidget> firstWindow = ChildWindow(composite, 301);
    host.Close();
    EXPECT_TRUE(firstWindow.isNull());
    first->Ring(10);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(ChildWindow(composite, 301), nullptr);

    // A new window lays the children out again and initialises again.
    CComPtr<IWindowedControl> windowed;
    composite.QueryInterface(IID_IWindowedControl, &windowed);
    ASSERT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 522, 499), TRUE), S_OK);
    composite->get_InitCount(&inits);
    EXPECT_EQ(inits, 2);
    Child(composite, 301)->Ring(11);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].values, (std::vector<LONG>{301, 11}));
    windowed->InPlaceDeactivate();
}

TEST_F(CompositeControlTest, SurvivesItsParentGoingFirstAndItsLastReleaseInAnyOrder)
{
    auto owner = std::make_unique<QWidget>();
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleComposite, owner.get(), QRect(0, 0, 522, 499), nullptr, true), S_OK);
    CComPtr<ISampleComposite> composite;
    host.QueryControl(IID_ISampleComposite, reinterpret_cast<void**>(&composite));
    CComPtr<ISampleCtrl> first = Child(composite, 301);
    owner.reset();  // takes the composite's window and its children's with it
    EXPECT_EQ(ChildWindow(composite, 301), nullptr);
    first->Ring(1);  // the composite no longer listens; nothing dangles
    host.Close();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_FALSE);
    composite.Release();
    first.Release();

    // Released while active: the last Release deactivates it first, so the
    // child it listened to is left with no sink pointing back at it.
    CComPtr<IWindowedControl> again = CreateControl<IWindowedControl>(CLSID_SampleComposite, IID_IWindowedControl);
    ASSERT_EQ(again->CreateControlWindow(&parent, QRect(0, 0, 522, 499), TRUE), S_OK);
    QWidget* window = nullptr;
    again->GetWindow(&window);
    QPointer<QWidget> watched(window);
    CComPtr<ISampleComposite> face;
    again.QueryInterface(IID_ISampleComposite, &face);
    CComPtr<ISampleCtrl> child = Child(face, 301);
    face.Release();
    again.Release();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(child->Ring(2), S_OK);
    child.Release();
}

TEST_F(CompositeControlTest, TheHostRefusesWhatItCannotCreateOrLoadAndKeepsNothing)
{
    CControlHost host;
    const CLSID unregistered = {0x12345678, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(host.Create(unregistered, &parent, QRect(0, 0, 5, 5), nullptr, true), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(host.Control(), nullptr);

    // Initial data of a newer stream: the control is not hosted.
    std::vector<BYTE> newer = {0x00, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(FAILED(host.Create(CLSID_SampleCtrl, &parent, QRect(0, 0, 5, 5), &newer, true)));
    EXPECT_EQ(host.Window(), nullptr);
    EXPECT_TRUE(parent.children().isEmpty());

    // Initial data the control saved itself is taken as it stands.
    CComPtr<ISampleCtrl> source = CreateControl<ISampleCtrl>(CLSID_SampleCtrl, IID_ISampleCtrl);
    source->put_Count(31);
    CComPtr<IPersistStreamInit> persist;
    source.QueryInterface(IID_IPersistStreamInit, &persist);
    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    persist->Save(stream, FALSE);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> data;
    ReadStreamToEnd(stream, data);
    ASSERT_EQ(host.Create(CLSID_SampleCtrl, &parent, QRect(0, 0, 5, 5), &data, false), S_OK);
    EXPECT_EQ(host.Create(CLSID_SampleCtrl, &parent, QRect(0, 0, 5, 5), &data, false), E_UNEXPECTED);
    CComPtr<ISampleCtrl> hosted;
    host.QueryControl(IID_ISampleCtrl, reinterpret_cast<void**>(&hosted));
    LONG count = 0;
    hosted->get_Count(&count);
    EXPECT_EQ(count, 31);
    EXPECT_TRUE(host.Window()->isHidden());
}

}  // namespace
