// The control, the translation context, its lists, the active direction
// and template, the context's events and text translation.
#include <span>
#include <vector>

#include "KernelStubs.h"
#include "KernelTestSupport.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

using namespace kerneltests;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

namespace {

class ContextTest : public KernelTest {
 protected:
  void SetUp() override {
    KernelTest::SetUp();
    context_ = CreateKernelObject<INrvaContext>(CLSID_NrvaContext);
    ASSERT_TRUE(context_);
    VARIANT option;
    VariantInit(&option);
    option.vt = VT_I2;
    option.iVal = 0;
    ASSERT_EQ(S_OK, context_->Open(Bstr(L"FireFox").Get(), option, MissingArg()));
    ComPtr<IDispatch> list, profile;
    ASSERT_EQ(S_OK, context_->GetDirectionList(list.Receive()));
    ASSERT_EQ(S_OK, context_->GetProfile(profile.Receive()));
    directions_ = list.As<INrvaTemplateManager>();
    profile_ = profile.As<INrvaProfile>();
    ASSERT_TRUE(directions_ && profile_);
  }

  ComPtr<INrvaTemplateList> TemplatesOf(VARIANT direction) {
    ComPtr<IDispatch> list;
    EXPECT_EQ(S_OK, directions_->GetTemplates(direction, list.Receive()));
    return list.As<INrvaTemplateList>();
  }
  std::wstring TemplateName(INrvaTemplateList* list, short index) {
    ComPtr<IDispatch> item;
    Bstr name;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_UINT;
    v.uintVal = index;
    if (FAILED(list->GetItem(v, item.Receive()))) return L"<none>";
    item.As<INrvaTemplate>()->GetName(name.Receive());
    return name.Str();
  }
  std::wstring Translate(const std::wstring& text) {
    auto source = CreateKernelObject<INrvaDocument>(CLSID_NrvaTextDocument);
    auto target = CreateKernelObject<INrvaDocument>(CLSID_NrvaTextDocument);
    EXPECT_EQ(S_OK, source->Clear());
    EXPECT_EQ(S_OK, target->Clear());
    EXPECT_EQ(S_OK, source->SetText(Bstr(text).Get()));
    EXPECT_EQ(S_OK, profile_.As<INrvaProfileTranslator>()->Translate(source.Get(), target.Get(), MissingArg()));
    Bstr result;
    EXPECT_EQ(S_OK, target->GetText(result.Receive()));
    return result.Str();
  }

  ComPtr<INrvaContext> context_;
  ComPtr<INrvaTemplateManager> directions_;
  ComPtr<INrvaProfile> profile_;
};

VARIANT Uint(unsigned value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UINT;
  v.uintVal = value;
  return v;
}

VARIANT I4(long value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// Records the context's events 17 to 19.
class EventSink : public kernelstandin::Stubs<DNorvaCtlEvents> {
 public:
  struct Event {
    int number;
    long dirId;
    std::wstring templateId;
  };
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        platform::InterfaceOf<EventSink, DNorvaCtlEvents>(),
        platform::InterfaceOf<EventSink, IDispatch, DNorvaCtlEvents>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE OnDirectionChanged(LONG dirId, BSTR id) override { return Add(17, dirId, id); }
  HRESULT STDMETHODCALLTYPE OnTemplateChanged(LONG dirId, BSTR id) override { return Add(18, dirId, id); }
  HRESULT STDMETHODCALLTYPE OnProfileChanged(LONG dirId, BSTR id) override { return Add(19, dirId, id); }
  std::vector<Event> events;

 private:
  HRESULT Add(int number, LONG dirId, BSTR id) {
    events.push_back({number, dirId, std::wstring(platform::BstrView(id))});
    return S_OK;
  }
};

}  // namespace

TEST_F(ContextTest, ListsDirectionsWithTheirIdsNamesAndTemplates) {
  LONG count = 0;
  ASSERT_EQ(S_OK, directions_->GetCount(&count));
  ASSERT_EQ(6, count);
  const struct {
    LONG id;
    const wchar_t* name;
  } expected[] = {{0x20001, L"English-Russian"}, {0x10002, L"Russian-English"}, {0x40001, L"English-German"},
                  {0x10004, L"German-English"},  {0x20004, L"German-Russian"},  {0x40002, L"Russian-German"}};
  for (short i = 0; i < 6; ++i) {
    LONG id = 0;
    Bstr name;
    EXPECT_EQ(S_OK, directions_->GetDirID(i, &id)) << "direction " << i;
    EXPECT_EQ(expected[i].id, id) << "direction " << i;
    EXPECT_EQ(S_OK, directions_->GetDirName(Uint(i), name.Receive())) << "direction " << i;
    EXPECT_EQ(expected[i].name, name.Str()) << "direction " << i;
    auto byIndex = TemplatesOf(Uint(i));
    auto byId = TemplatesOf(I4(id));
    SHORT n = 0, m = 0;
    ASSERT_EQ(S_OK, byIndex->GetCount(&n));
    ASSERT_EQ(S_OK, byId->GetCount(&m));
    EXPECT_EQ(4, n) << "direction " << i;
    EXPECT_EQ(n, m) << "direction " << i;
    EXPECT_EQ(L"Computers and Internet", TemplateName(byIndex.Get(), 1)) << "direction " << i;
  }
}

TEST_F(ContextTest, AnswersFailuresForIndexesAndIdsItDoesNotHave) {
  LONG id = 0;
  Bstr name;
  ComPtr<IDispatch> list;
  EXPECT_EQ(E_INVALIDARG, directions_->GetDirID(6, &id));
  EXPECT_EQ(E_INVALIDARG, directions_->GetDirName(Uint(99), name.Receive()));
  EXPECT_EQ(E_INVALIDARG, directions_->GetTemplates(Uint(6), list.Receive()));
  EXPECT_EQ(E_INVALIDARG, directions_->GetTemplates(I4(0x80001), list.Receive()));
  EXPECT_EQ(L"<none>", TemplateName(TemplatesOf(Uint(0)).Get(), 4));
  EXPECT_EQ(E_INVALIDARG, context_->SetActiveDirID(0x80001));
  EXPECT_EQ(E_INVALIDARG, context_->SetActiveDirIndex(6));
  EXPECT_EQ(E_INVALIDARG, profile_->SetActiveTemplateId(Bstr(L"Computers and Internet").Get()));
}

TEST_F(ContextTest, KeepsTheActiveDirectionAndTheActiveTemplateOfEachDirection) {
  LONG dirId = 0;
  SHORT index = -1;
  Bstr templateId;
  ASSERT_EQ(S_OK, context_->GetActiveDirID(&dirId));
  EXPECT_EQ(0x20001, dirId);
  ASSERT_EQ(S_OK, profile_->GetActiveTemplateId(templateId.Receive()));
  EXPECT_EQ(L"GENERAL", templateId.Str());

  ASSERT_EQ(S_OK, profile_->SetActiveTemplateId(Bstr(L"COMPUTER").Get()));
  ASSERT_EQ(S_OK, context_->SetActiveDirID(0x10004));
  ASSERT_EQ(S_OK, context_->GetActiveDirIndex(&index));
  EXPECT_EQ(3, index);
  ASSERT_EQ(S_OK, profile_->GetActiveTemplateId(templateId.Receive()));
  EXPECT_EQ(L"GENERAL", templateId.Str());
  ASSERT_EQ(S_OK, context_->SetActiveDirIndex(0));
  ASSERT_EQ(S_OK, profile_->GetActiveTemplateId(templateId.Receive()));
  EXPECT_EQ(L"COMPUTER", templateId.Str());

  ComPtr<IDispatch> list;
  ASSERT_EQ(S_OK, profile_->GetTemplates(list.Receive()));
  SHORT position = -1;
  ASSERT_EQ(S_OK, list.As<INrvaTemplateList>()->IndexOf(Bstr(L"COMPUTER").Get(), &position));
  EXPECT_EQ(1, position);
}

TEST_F(ContextTest, TranslatesTextWithTheActiveDirectionAndTemplate) {
  EXPECT_EQ(L"Привет, мой друг! Zorblax стол.", Translate(L"Hello, my friend! A Zorblax table."));
  ASSERT_EQ(S_OK, profile_->SetActiveTemplateId(Bstr(L"COMPUTER").Get()));
  EXPECT_EQ(L"таблица", Translate(L"table"));
  ASSERT_EQ(S_OK, context_->SetActiveDirID(0x40002));
  EXPECT_EQ(L"Hallo Welt", Translate(L"Привет Мир"));
  ComPtr<IDispatch> part;
  ASSERT_EQ(S_OK, profile_->GetPart(part.Receive()));
  EXPECT_EQ(S_OK, part.As<INrvaProfilePart>()->Prepare());
}

TEST_F(ContextTest, TellsItsSinksWhenTheDirectionTemplateOrProfileChanges) {
  auto sink = platform::MakeComObject<EventSink>();
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(S_OK, context_.As<IConnectionPointContainer>()->FindConnectionPoint(IID_DNorvaCtlEvents, point.Receive()));
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, point->Advise(static_cast<DNorvaCtlEvents*>(sink.Get()), &cookie));

  ASSERT_EQ(S_OK, context_->SetActiveDirID(0x40001));
  ASSERT_EQ(S_OK, context_->SetActiveDirID(0x40001));  // no change, no event
  ASSERT_EQ(S_OK, profile_->SetActiveTemplateId(Bstr(L"MEDICAL").Get()));
  ComPtr<IDispatch> actions;
  auto editor = profile_.As<INrvaProfileEditor>();
  ASSERT_EQ(S_OK, editor->UpdateTemplate(0, MissingArg(), 3));
  ASSERT_EQ(S_OK, editor->GetDirectionActions(actions.Receive()));
  ASSERT_EQ(S_OK, actions.As<INrvaDirectionActions>()->Run(0x20004));
  ASSERT_EQ(S_OK, point->Unadvise(cookie));
  ASSERT_EQ(S_OK, context_->SetActiveDirID(0x20001));

  const EventSink::Event expected[] = {
      {17, 0x40001, L"GENERAL"}, {18, 0x40001, L"MEDICAL"}, {19, 0x40001, L"MEDICAL"}, {17, 0x20004, L"GENERAL"}};
  ASSERT_EQ(std::size(expected), sink->events.size());
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(expected[i].number, sink->events[i].number) << "event " << i;
    EXPECT_EQ(expected[i].dirId, sink->events[i].dirId) << "event " << i;
    EXPECT_EQ(expected[i].templateId, sink->events[i].templateId) << "event " << i;
  }
}

TEST_F(KernelTest, ControlLogsOnAndHandsOutItsAttachedContext) {
  auto source = CreateKernelObject<INrvaControlSource>(CLSID_NrvaControlSource);
  ASSERT_TRUE(source);
  ComPtr<IDispatch> object;
  ASSERT_EQ(S_OK, source->GetControl(object.Receive()));
  auto control = object.As<INrvaControl>();
  ASSERT_TRUE(control);
  VARIANT_BOOL detached = VARIANT_TRUE;
  ASSERT_EQ(S_OK, control->GetDetached(&detached));
  EXPECT_EQ(VARIANT_FALSE, detached);
  Variant user = Variant::FromString(L"alice");
  LONG accepted = 0;
  ASSERT_EQ(S_OK, control->LogOn(0, Bstr(L"IE").Get(), MissingArg(), user.Get(), MissingArg(), &accepted));
  EXPECT_EQ(1, accepted);
  EXPECT_EQ(L"alice", ReportText(L"LogOnUser"));
  EXPECT_EQ(L"IE", ReportText(L"LogOnClient"));
  ComPtr<IDispatch> context, again;
  ASSERT_EQ(S_OK, control->GetContext(context.Receive()));
  ASSERT_EQ(S_OK, control->GetContext(again.Receive()));
  EXPECT_TRUE(platform::SameObject(context, again));
  EXPECT_TRUE(context.As<INrvaContext>());
}
