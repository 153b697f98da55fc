// The kernel's services: error reporter and about box, language detection,
// web search, speech, animated speaker, smart folders, analyzer source, and
// the switches of log-on, calls and templates.
#include "KernelTestSupport.h"
#include "DialogWatcher.h"
#include "OMBREL.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

using namespace kerneltests;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

using KernelServicesTest = KernelTest;

TEST_F(KernelServicesTest, ErrorReporterShowsTheFailureWithTheCallersTitle) {
  auto reporter = CreateKernelObject<INrvaErrorReporter>(CLSID_NrvaErrorReporter);
  ASSERT_TRUE(reporter);
  testsupport::DialogWatcher watcher(true);
  watcher.Press(L"Norva for Firefox", IDOK);
  Variant path = Variant::FromString(L"C:\\x.txt");
  ASSERT_EQ(S_OK, reporter->ReportError(static_cast<LONG>(0x800F001D), Bstr(L"Norva for Firefox").Get(), path.Get()));
  EXPECT_TRUE(watcher.WaitSeen(L"Norva for Firefox", 1000));
  EXPECT_EQ(0x800F001Du, ReportNumber(L"LastError"));
  EXPECT_EQ(L"C:\\x.txt", ReportText(L"LastErrorDetail"));

  SetSwitch(L"NoMessageBoxes", 1);
  auto attached = reporter.As<INrvaAttachedErrorReporter>();
  ASSERT_TRUE(attached);
  ASSERT_EQ(S_OK, attached->ReportError(E_ACCESSDENIED, Bstr(L"Norva for IE").Get()));
  EXPECT_EQ(static_cast<DWORD>(E_ACCESSDENIED), ReportNumber(L"LastError"));
  EXPECT_EQ(L"Norva for IE", ReportText(L"LastErrorTitle"));
  LONG refuse = -1;
  ASSERT_EQ(S_OK, reporter->CheckResult(E_FAIL, Bstr(L"t").Get(), &refuse));
  EXPECT_EQ(0, refuse);
}

TEST_F(KernelServicesTest, AboutBoxShowsOverTheModeOwner) {
  auto context = CreateKernelObject<INrvaInterfaceContext>(CLSID_NrvaErrorReporter);
  auto about = CreateKernelObject<INrvaAboutBox>(CLSID_NrvaErrorReporter);
  ASSERT_TRUE(context && about);
  ASSERT_EQ(S_OK, context->SetMode(2, 0));
  EXPECT_EQ(2u, ReportNumber(L"Mode"));
  testsupport::DialogWatcher watcher(true);
  watcher.Press(L"Norva for Chrome", IDOK);
  ASSERT_EQ(S_OK, about->Prepare(0, 208, nullptr, Bstr(L"Norva for Chrome").Get(), Bstr(L"").Get()));
  ASSERT_EQ(S_OK, about->Show());
  EXPECT_TRUE(watcher.WaitSeen(L"Norva for Chrome", 1000));
  EXPECT_EQ(1u, ReportNumber(L"AboutCount"));
}

// The direction list of a context serves the about box's service, the word
// dictionary's kernel service and the morphology under the identifiers the
// kernel publishes for them, written here as text so that a slip in either
// side's own copy cannot hide.
TEST_F(KernelServicesTest, TheDirectionListServesItsServicesUnderTheirPublishedIdentifiers) {
  auto context = CreateKernelObject<INrvaContext>(CLSID_NrvaContext);
  ASSERT_TRUE(context);
  ASSERT_EQ(S_OK, context->Open(Bstr(L"FireFox").Get(), MissingArg(), MissingArg()));
  ComPtr<IDispatch> list;
  ASSERT_EQ(S_OK, context->GetDirectionList(list.Receive()));
  auto provider = list.As<IServiceProvider>();
  ASSERT_TRUE(provider);
  // Each asked as its caller asks: the about box's service under its own
  // identifier as the interface too, the others for IUnknown.
  const struct {
    const wchar_t* service;
    bool serviceAsInterface;
    const wchar_t* what;
  } cases[] = {
      {L"{A45A75EC-EC5C-438D-B471-E4875BE265F0}", true, L"about box"},
      {L"{E0CF67D1-6730-4E92-BB9D-8B46D72AA711}", false, L"word dictionary's kernel service"},
      {L"{2D558B52-9E1F-4FC8-8BD7-27395A19E9CC}", false, L"morphology"},
  };
  for (const auto& c : cases) {
    GUID service{};
    ASSERT_EQ(S_OK, CLSIDFromString(c.service, &service)) << c.service;
    ComPtr<IUnknown> object;
    EXPECT_EQ(S_OK, provider->QueryService(service, c.serviceAsInterface ? service : IID_IUnknown,
                                           object.ReceiveVoid()))
        << c.what;
    EXPECT_TRUE(object) << c.what;
  }
  // One character off is another identifier, which nothing serves.
  GUID slip{};
  ASSERT_EQ(S_OK, CLSIDFromString(L"{E0CF67D1-6730-4E92-8BB9-8B46D72AA711}", &slip));
  ComPtr<IUnknown> none;
  EXPECT_EQ(E_NOINTERFACE, provider->QueryService(slip, IID_IUnknown, none.ReceiveVoid()));
}

TEST_F(KernelServicesTest, DetectsTheLanguageOfAText) {
  auto detector = CreateKernelObject<INrvaLanguageDetector>(CLSID_NrvaLanguageDetector);
  ASSERT_TRUE(detector);
  const struct {
    const wchar_t* text;
    LONG expected;
  } cases[] = {{L"Good morning, my friend", 1}, {L"Доброе утро", 2}, {L"Guten Morgen, mein Freund", 4}, {L"42", 0}};
  int i = 0;
  for (const auto& c : cases) {
    LONG language = 0;
    ASSERT_EQ(S_OK, detector->Detect(Bstr(c.text).Get(), &language, 2, 3)) << "case " << i;
    EXPECT_EQ(c.expected, language) << "case " << i;
    ++i;
  }
}

TEST_F(KernelServicesTest, WebSearchSpeechSpeakerAndFoldersAnswerTheirCalls) {
  auto search = CreateKernelObject<INrvaAttachedWebSearch>(CLSID_NrvaWebSearch);
  ASSERT_TRUE(search);
  Variant option = Variant::FromString(L"web");
  Bstr result;
  ASSERT_EQ(S_OK, search->Search(Bstr(L"house").Get(), MissingArg(), MissingArg(), option.Get(), MissingArg(),
                                 result.Receive()));
  EXPECT_EQ(L"https://search.norvasoft.example/find?q=house&where=web", result.Str());
  EXPECT_TRUE(search.As<INrvaWebSearch>());

  auto speech = CreateKernelObject<INrvaSpeech>(CLSID_NrvaSpeech);
  ASSERT_TRUE(speech);
  Variant client = Variant::FromString(L"IE"), root = Variant::FromUInt32(0x80000001), language = Variant::Missing();
  EXPECT_EQ(S_OK, speech->Setup(client.Get(), root.Get(), language.Get()));
  EXPECT_EQ(S_OK, speech->Speak(1, Bstr(L"hello").Get(), MissingArg(), MissingArg()));
  EXPECT_EQ(S_OK, speech->Cancel());
  EXPECT_EQ(S_OK, speech->Stop());

  auto speaker = CreateKernelObject<INrvaAnimatedSpeaker>(CLSID_NrvaAnimatedSpeaker);
  ASSERT_TRUE(speaker);
  ComPtr<IDispatch> character;
  EXPECT_EQ(E_INVALIDARG, speaker->GetCharacter(Bstr(L"Merlin").Get(), character.Receive()));
  EXPECT_EQ(S_OK, speaker->Setup(root.Get(), language.Get()));
  EXPECT_EQ(S_OK, speaker->LoadCharacter(Bstr(L"Merlin").Get()));
  ASSERT_EQ(S_OK, speaker->GetCharacter(Bstr(L"Merlin").Get(), character.Receive()));
  auto merlin = character.As<INrvaCharacter>();
  VARIANT_BOOL visible = VARIANT_TRUE;
  ASSERT_EQ(S_OK, merlin->GetVisible(&visible));
  EXPECT_EQ(VARIANT_FALSE, visible);
  EXPECT_EQ(S_OK, merlin->Show(0, 0));
  ASSERT_EQ(S_OK, merlin->GetVisible(&visible));
  EXPECT_EQ(VARIANT_TRUE, visible);

  auto folders = CreateKernelObject<INrvaSmartFolders>(CLSID_NrvaSmartFolders);
  ASSERT_TRUE(folders);
  ComPtr<IDispatch> folder;
  ASSERT_EQ(S_OK, folders->GetFolder(Bstr(L"C:\\windows").Get(), folder.Receive()));
  LONG kind = -1;
  ASSERT_EQ(S_OK, folder.As<INrvaSmartFolder>()->GetKind(&kind));
  EXPECT_EQ(1, kind);
  EXPECT_EQ(S_OK, folders->Refresh());
}

TEST_F(KernelServicesTest, AnalyzerSourceHandsOutTheTemplateAnalyzerUnlessSwitchedOff) {
  auto source = CreateKernelObject<INrvaAnalyzerSource>(CLSID_NrvaAnalyzerSource);
  ASSERT_TRUE(source);
  LONG available = -1;
  ASSERT_EQ(S_OK, source->IsAvailable(1, &available));
  EXPECT_EQ(1, available);
  ComPtr<IUnknown> templateAnalyzer;
  ASSERT_EQ(S_OK, source->GetAnalyzer(1, templateAnalyzer.Receive()));
  EXPECT_TRUE(templateAnalyzer.As<INorva5TemplateAnalyzer>());
  ASSERT_EQ(S_OK, source->IsAvailable(2, &available));
  EXPECT_EQ(0, available);
  SetSwitch(L"NoAnalyzer", 1);
  ASSERT_EQ(S_OK, source->IsAvailable(1, &available));
  EXPECT_EQ(0, available);
  ComPtr<IUnknown> analyzer;
  EXPECT_EQ(REGDB_E_CLASSNOTREG, source->GetAnalyzer(1, analyzer.Receive()));
  EXPECT_EQ(E_INVALIDARG, source->GetAnalyzer(7, analyzer.Receive()));
}

TEST_F(KernelServicesTest, SwitchesRefuseLogOnFailNamedCallsAndRefuseTemplates) {
  auto control = CreateKernelObject<INrvaControl>(CLSID_NrvaControl);
  ASSERT_TRUE(control);
  LONG accepted = -1;
  SetSwitch(L"FailLogOn", 1);
  ASSERT_EQ(S_OK, control->LogOn(0, Bstr(L"IE").Get(), MissingArg(), MissingArg(), MissingArg(), &accepted));
  EXPECT_EQ(0, accepted);
  SetSwitch(L"DetachedControl", 1);
  VARIANT_BOOL detached = VARIANT_FALSE;
  ASSERT_EQ(S_OK, control->GetDetached(&detached));
  EXPECT_EQ(VARIANT_TRUE, detached);

  auto manager = CreateKernelObject<INrvaTemplateManager>(CLSID_NrvaTemplateManager);
  ASSERT_TRUE(manager);
  LONG count = 0;
  SetSwitchText(L"FailCall", L"INrvaContextBase.Open;INrvaTemplateManager.GetCount");
  EXPECT_EQ(E_FAIL, manager->GetCount(&count));
  SetSwitch(L"FailCallResult", 0x800F0007);
  EXPECT_EQ(static_cast<HRESULT>(0x800F0007), manager->GetCount(&count));
  auto context = CreateKernelObject<INrvaContext>(CLSID_NrvaContext);
  EXPECT_EQ(static_cast<HRESULT>(0x800F0007), context->Open(Bstr(L"IE").Get(), MissingArg(), MissingArg()));
  SetSwitchText(L"FailCall", L"");
  EXPECT_EQ(S_OK, manager->GetCount(&count));
  EXPECT_EQ(6, count);

  ComPtr<IDispatch> profile;
  ASSERT_EQ(S_OK, context->GetProfile(profile.Receive()));
  SetSwitch(L"RefuseTemplate", 1);
  EXPECT_EQ(E_ACCESSDENIED, profile.As<INrvaProfile>()->SetActiveTemplateId(Bstr(L"COMPUTER").Get()));
}

TEST_F(KernelServicesTest, TemplatesKeepTheirNamedDictionaries) {
  auto manager = CreateKernelObject<INrvaTemplateManager>(CLSID_NrvaTemplateManager);
  VARIANT dir;
  VariantInit(&dir);
  dir.vt = VT_I4;
  dir.lVal = 0x10004;
  ComPtr<IDispatch> list, item;
  ASSERT_EQ(S_OK, manager->GetTemplates(dir, list.Receive()));
  VARIANT index;
  VariantInit(&index);
  index.vt = VT_I2;
  index.iVal = 2;
  ASSERT_EQ(S_OK, list.As<INrvaTemplateList>()->GetItem(index, item.Receive()));
  auto tpl = item.As<INrvaTemplate>();
  ComPtr<IUnknown> stream;
  EXPECT_EQ(S_FALSE, tpl->GetDictionary(Bstr(L"SDBWORDS2").Get(), stream.Receive()));
  EXPECT_FALSE(stream);
  ComPtr<IStream> memory;
  ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()));
  const wchar_t words[] = L"Bank\r\nKredit";
  ULONG written = 0;
  ASSERT_EQ(S_OK, memory->Write(words, sizeof(words) - sizeof(wchar_t), &written));
  ASSERT_EQ(S_OK, tpl->PutDictionary(Bstr(L"SDBWORDS2").Get(), memory.Get()));
  ASSERT_EQ(S_OK, tpl->GetDictionary(Bstr(L"SDBWORDS2").Get(), stream.Receive()));
  wchar_t back[32] = {};
  ULONG read = 0;
  ASSERT_EQ(S_OK, stream.As<IStream>()->Read(back, sizeof(back), &read));
  EXPECT_EQ(std::wstring(L"Bank\r\nKredit"), std::wstring(back, read / sizeof(wchar_t)));
  ASSERT_EQ(S_OK, tpl->PutDictionary(Bstr(L"SDBWORDS2").Get(), nullptr));
  EXPECT_EQ(S_FALSE, tpl->GetDictionary(Bstr(L"SDBWORDS2").Get(), stream.Receive()));
}
