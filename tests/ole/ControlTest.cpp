// The control base, tried on the sample control of the test module: dispatch
// from its table, events, the steps after a put, persistence of its property
// map, posted messages, and how its window and its references live together.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"
#include "ole/Persist.h"

#include "ControlModule.h"
#include "ControlSite.h"
#include "EventRecorder.h"
#include "PictureBytes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace {

class ControlTest : public ControlModuleTest {
protected:
    CComPtr<ISampleCtrl> NewControl() { return CreateControl<ISampleCtrl>(CLSID_SampleCtrl, IID_ISampleCtrl); }
};

HRESULT Call(IDispatch* control, DISPID id, WORD flags, std::vector<CComVariant> args, CComVariant* result = nullptr)
{
    std::vector<CComVariant> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    return control->Invoke(id, GUID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

CComPtr<IPictureDisp> MakePicture(int width, int height)
{
    const QByteArray bytes = EncodedImage(width, height);
    CComPtr<IStream> stream;
    CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream);
    CComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

CComPtr<IFontDisp> MakeFont(LPCOLESTR name)
{
    FONTDESC desc;
    desc.lpstrName = name;
    CComPtr<IFontDisp> font;
    EXPECT_EQ(OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    return font;
}

IUnknown* Identity(IUnknown* object, CComPtr<IUnknown>& holder)
{
    object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&holder));
    return holder.get();
}

TEST_F(ControlTest, DispatchesByIdAndByNameFromItsTable)
{
    CComPtr<ISampleCtrl> control = NewControl();
    ASSERT_TRUE(control);

    LPOLESTR names[] = {const_cast<LPOLESTR>(u"caption"), const_cast<LPOLESTR>(u"PostRing")};
    DISPID ids[2] = {};
    ASSERT_EQ(control->GetIDsOfNames(GUID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_SAMPLE_CAPTION);
    EXPECT_EQ(ids[1], DISPID_SAMPLE_POSTRING);
    LPOLESTR unknown = const_cast<LPOLESTR>(u"Nothing");
    EXPECT_EQ(control->GetIDsOfNames(GUID_NULL, &unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);

    // A put by dispatch reaches the slot, a slot's value comes back by dispatch.
    EXPECT_EQ(Call(control, DISPID_SAMPLE_CAPTION, DISPATCH_PROPERTYPUT, {CComVariant::Text(u"Hi")}), S_OK);
    CComBSTR caption;
    control->get_Caption(&caption);
    EXPECT_EQ(caption.str(), u"Hi");
    control->put_BackColor(0x0B94FB);
    CComVariant colour;
    EXPECT_EQ(Call(control, DISPID_SAMPLE_BACKCOLOR, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &colour), S_OK);
    EXPECT_EQ(colour.vt, VT_UI4);
    EXPECT_EQ(colour.ulVal, 0x0B94FBu);
    CComVariant enabled;
    EXPECT_EQ(Call(control, DISPID_SAMPLE_ENABLED, DISPATCH_PROPERTYGET, {}, &enabled), S_OK);
    EXPECT_EQ(enabled.vt, VT_BOOL);
    EXPECT_EQ(enabled.boolVal, VARIANT_TRUE);
    EXPECT_EQ(Call(control, DISPID_SAMPLE_COUNT, DISPATCH_PROPERTYPUT, {CComVariant::Text(u"12")}), S_OK);
    LONG count = 0;
    control->get_Count(&count);
    EXPECT_EQ(count, 12);

    // What the table does not allow never reaches the control.
    EXPECT_EQ(Call(control, DISPID_SAMPLE_RING, DISPATCH_METHOD, {}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(control, DISPID_SAMPLE_RING, DISPATCH_PROPERTYPUT, {CComVariant::I2(1)}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(control, 99, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(control, DISPID_SAMPLE_COUNT, DISPATCH_PROPERTYPUT, {CComVariant::Text(u"twelve")}),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(control, DISPID_SAMPLE_CAPTION, DISPATCH_PROPERTYPUTREF, {CComVariant::Text(u"x")}),
              DISP_E_MEMBERNOTFOUND);
    UINT infos = 0;
    EXPECT_EQ(control->GetTypeInfoCount(&infos), S_OK);
    EXPECT_EQ(infos, 1u);
    // Both flags from a caller that cannot tell: a method is called as one.
    EXPECT_EQ(Call(control, DISPID_SAMPLE_RING, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {CComVariant::I2(1)}), S_OK);
}

TEST_F(ControlTest, FiresEventsToEverySinkInTurnWithShortArguments)
{
    CComPtr<ISampleCtrl> control = NewControl();
    std::vector<RecordedEvent> log;
    CComPtr<CEventRecorder> first, second, third;
    first.Attach(new CEventRecorder("first", log));
    second.Attach(new CEventRecorder("second", log));
    third.Attach(new CEventRecorder("third", log));
    CComPtr<IConnectionPoint> point;
    Connect(control, DIID__ISampleCtrlEvents, first, point);
    const DWORD middle = Connect(control, DIID__ISampleCtrlEvents, second, point);
    Connect(control, DIID__ISampleCtrlEvents, third, point);

    ASSERT_EQ(Call(control, DISPID_SAMPLE_RING, DISPATCH_METHOD, {CComVariant::I2(4)}), S_OK);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].sink, "first");
    EXPECT_EQ(log[1].sink, "second");
    EXPECT_EQ(log[2].sink, "third");
    for (const RecordedEvent& event : log) {
        EXPECT_EQ(event.id, DISPID_SAMPLE_ONRING);
        EXPECT_EQ(event.types, (std::vector<VARTYPE>{VT_I2, VT_I2}));
        EXPECT_EQ(event.values, (std::vector<LONG>{4, 1}));
    }

    log.clear();
    ASSERT_EQ(point->Unadvise(middle), S_OK);
    control->Ring(3);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].sink, "third");
    EXPECT_EQ(log[1].values, (std::vector<LONG>{3, 0}));

    CComPtr<IConnectionPointContainer> container;
    control.QueryInterface(IID_IConnectionPointContainer, &container);
    CComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_ISampleCtrl, &none), CONNECT_E_NOCONNECTION);
}

TEST_F(ControlTest, APutMarksItDirtyRepaintsItAndTellsTheSite)
{
    QWidget parent;
    parent.resize(200, 100);
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleCtrl, &parent, QRect(10, 20, 40, 30), nullptr, true), S_OK);
    CComPtr<ISampleCtrl> control;
    ASSERT_EQ(host.QueryControl(IID_ISampleCtrl, reinterpret_cast<void**>(&control)), S_OK);
    CComPtr<IWindowedControl> windowed;
    control.QueryInterface(IID_IWindowedControl, &windowed);
    CComPtr<CCountingSite> site;
    site.Attach(new CCountingSite);
    windowed->SetSite(site);
    CComPtr<IPersistStreamInit> persist;
    control.QueryInterface(IID_IPersistStreamInit, &persist);

    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    control->put_BackColor(0x0000FF);  // red
    EXPECT_EQ(persist->IsDirty(), S_OK);
    EXPECT_EQ(site->changes, 1);
    EXPECT_EQ(host.Window()->geometry(), QRect(10, 20, 40, 30));
    EXPECT_EQ(parent.grab().toImage().pixel(25, 35), qRgb(255, 0, 0));

    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    // Deactivation lets go of the site.
    host.Close();
    control->put_Count(1);
    EXPECT_EQ(site->changes, 1);
}

TEST_F(ControlTest, PuttingAPictureOrAFontKeepsAPrivateCopy)
{
    CComPtr<ISampleCtrl> control = NewControl();
    CComPtr<IPictureDisp> picture = MakePicture(8, 6);
    CComPtr<IUnknown> a, b;

    ASSERT_EQ(Call(control, DISPID_SAMPLE_PICTURE, DISPATCH_PROPERTYPUT, {CComVariant::Object(picture)}), S_OK);
    CComPtr<IPictureDisp> held;
    control->get_Picture(&held);
    ASSERT_TRUE(held);
    EXPECT_NE(Identity(held, a), Identity(picture, b));
    OLE_XSIZE_HIMETRIC width = 0;
    CComPtr<IPicture> face;
    held.QueryInterface(IID_IPicture, &face);
    face->get_Width(&width);
    EXPECT_EQ(width, 212);  // 8 px

    ASSERT_EQ(Call(control, DISPID_SAMPLE_PICTURE, DISPATCH_PROPERTYPUTREF, {CComVariant::Object(picture)}), S_OK);
    control->get_Picture(&held);
    EXPECT_EQ(Identity(held, a), Identity(picture, b));
    ASSERT_EQ(control->put_Picture(nullptr), S_OK);
    control->get_Picture(&held);
    EXPECT_FALSE(held);

    CComPtr<IFontDisp> font = MakeFont(u"Arial");
    control->put_Font(font);
    CComPtr<IFontDisp> kept;
    control->get_Font(&kept);
    EXPECT_NE(Identity(kept, a), Identity(font, b));
    CComPtr<IFont> keptFace, fontFace;
    kept.QueryInterface(IID_IFont, &keptFace);
    font.QueryInterface(IID_IFont, &fontFace);
    EXPECT_EQ(keptFace->IsEqual(fontFace), S_OK);
    control->putref_Font(font);
    control->get_Font(&kept);
    EXPECT_EQ(Identity(kept, a), Identity(font, b));
}

TEST_F(ControlTest, SavesAndLoadsItsPropertyMapThroughItsOwnTable)
{
    QWidget parent;
    CComPtr<ISampleCtrl> source = NewControl();
    source->put_Enabled(VARIANT_FALSE);
    source->put_BackColor(0x00D7FF);
    source->put_Count(-40);
    source->put_Caption(CComBSTR(u"Question 3"));
    source->put_Font(MakeFont(u"Liberation Serif"));
    source->put_Picture(MakePicture(3, 2));
    CComPtr<IWindowedControl> windowed;
    source.QueryInterface(IID_IWindowedControl, &windowed);
    ASSERT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 150, 30), FALSE), S_OK);

    CComPtr<IPersistStreamInit> persist;
    source.QueryInterface(IID_IPersistStreamInit, &persist);
    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    ASSERT_EQ(persist->Save(stream, FALSE), S_OK);
    std::uint64_t size = 0, max = 0;
    stream->GetSize(&size);
    persist->GetSizeMax(&max);
    EXPECT_EQ(max, size);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> bytes;
    ReadStreamToEnd(stream, bytes);
    // The extent is the window's: 150 x 30 px in HIMETRIC.
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 3969);
    EXPECT_EQ(bytes[8] | bytes[9] << 8, 794);

    CComPtr<ISampleCtrl> copy = NewControl();
    CComPtr<IPersistStreamInit> copyPersist;
    copy.QueryInterface(IID_IPersistStreamInit, &copyPersist);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(copyPersist->Load(stream), S_OK);
    EXPECT_EQ(copyPersist->IsDirty(), S_FALSE);
    VARIANT_BOOL enabled = VARIANT_TRUE;
    OLE_COLOR colour = 0;
    LONG count = 0;
    CComBSTR caption;
    CComPtr<IFontDisp> font;
    CComPtr<IPictureDisp> picture;
    copy->get_Enabled(&enabled);
    copy->get_BackColor(&colour);
    copy->get_Count(&count);
    copy->get_Caption(&caption);
    copy->get_Font(&font);
    copy->get_Picture(&picture);
    EXPECT_EQ(enabled, VARIANT_FALSE);
    EXPECT_EQ(colour, 0x00D7FFu);
    EXPECT_EQ(count, -40);
    EXPECT_EQ(caption.str(), u"Question 3");
    ASSERT_TRUE(font);
    CComBSTR face;
    CComPtr<IFont> fontFace;
    font.QueryInterface(IID_IFont, &fontFace);
    fontFace->get_Name(&face);
    EXPECT_EQ(face.str(), u"Liberation Serif");
    ASSERT_TRUE(picture);

    // A newer stream is refused and changes nothing.
    bytes[1] = 0x08;
    CComPtr<IStream> newer;
    CreateStreamOnMemory(bytes, &newer);
    copy->put_Count(5);
    EXPECT_TRUE(FAILED(copyPersist->Load(newer)));
    copy->get_Count(&count);
    EXPECT_EQ(count, 5);
}

TEST_F(ControlTest, PostedMessagesArriveLaterAndDieWithTheWindow)
{
    QWidget parent;
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleCtrl, &parent, QRect(0, 0, 10, 10), nullptr, true), S_OK);
    CComPtr<ISampleCtrl> control;
    host.QueryControl(IID_ISampleCtrl, reinterpret_cast<void**>(&control));
    std::vector<RecordedEvent> log;
    CComPtr<CEventRecorder> sink;
    sink.Attach(new CEventRecorder("sink", log));
    CComPtr<IConnectionPoint> point;
    Connect(control, DIID__ISampleCtrlEvents, sink, point);

    ASSERT_EQ(control->PostRing(2), S_OK);
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].values, (std::vector<LONG>{2, 1}));

    ASSERT_EQ(control->PostRing(5), S_OK);
    host.Close();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(log.size(), 1u) << "the message went with the window";
    EXPECT_EQ(control->PostRing(6), E_FAIL);
}

TEST_F(ControlTest, ItsWindowLivesWithTheControlAndMayGoWithItsParent)
{
    // A parent that deletes the window first: the control forgets it.
    auto parent = std::make_unique<QWidget>();
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleCtrl, parent.get(), QRect(0, 0, 10, 10), nullptr, true), S_OK);
    CComPtr<IWindowedControl> control;
    host.QueryControl(IID_IWindowedControl, reinterpret_cast<void**>(&control));
    parent.reset();
    QWidget* window = reinterpret_cast<QWidget*>(1);
    EXPECT_EQ(control->GetWindow(&window), S_OK);
    EXPECT_EQ(window, nullptr);
    host.Close();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_FALSE) << "still referenced";
    control.Release();
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_OK);

    // The last Release deletes the window and leaves the parent alone.
    QWidget other;
    CComPtr<IWindowedControl> second = CreateControl<IWindowedControl>(CLSID_SampleCtrl, IID_IWindowedControl);
    ASSERT_EQ(second->CreateControlWindow(&other, QRect(0, 0, 5, 5), TRUE), S_OK);
    EXPECT_EQ(second->CreateControlWindow(&other, QRect(0, 0, 5, 5), TRUE), E_UNEXPECTED);
    second->GetWindow(&window);
    QPointer<QWidget> watched(window);
    second.Release();
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(other.children().isEmpty());
}

TEST_F(ControlTest, ASinkMayReleaseTheControlFromInsideItsWindowsEvent)
{
    QWidget parent;
    CComPtr<ISampleCtrl> control = CreateControl<ISampleCtrl>(CLSID_SampleCtrl, IID_ISampleCtrl);
    CComPtr<IWindowedControl> windowed;
    control.QueryInterface(IID_IWindowedControl, &windowed);
    ASSERT_EQ(windowed->CreateControlWindow(&parent, QRect(0, 0, 5, 5), TRUE), S_OK);
    QWidget* window = nullptr;
    windowed->GetWindow(&window);
    QPointer<QWidget> watched(window);
    windowed.Release();

    std::vector<RecordedEvent> log;
    CComPtr<CEventRecorder> sink;
    sink.Attach(new CEventRecorder("sink", log));
    sink->onEvent = [&] { control.Release(); };
    CComPtr<IConnectionPoint> point;
    Connect(control, DIID__ISampleCtrlEvents, sink, point);
    point.Release();

    control->PostRing(1);
    QCoreApplication::sendPostedEvents();  // the ring, in which the sink lets go
    EXPECT_EQ(log.size(), 1u);
    EXPECT_FALSE(control);
    EXPECT_EQ(ControlModuleCanUnloadNow(), S_OK);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
}

}  // namespace
