// File translation by the out-of-process file translator: at once, and as a
// job whose progress events arrive later on the apartment; the job switches.
#include <span>
#include <vector>

#include "KernelObjects.h"
#include "KernelStubs.h"
#include "KernelTestSupport.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

using namespace kerneltests;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

namespace {

// Records a job's events.
class ProgressSink : public kernelstandin::Stubs<INrvaTransEvents> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        platform::InterfaceOf<ProgressSink, INrvaTransEvents>(),
        platform::InterfaceOf<ProgressSink, IDispatch, INrvaTransEvents>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE OnStatus(LONG status) override {
    statuses.push_back(status);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnProgress(LONG position, LONG range) override {
    progress.push_back({position, range});
    if (onProgress) onProgress();
    return S_OK;
  }
  std::vector<LONG> statuses;
  std::vector<std::pair<LONG, LONG>> progress;
  std::function<void()> onProgress;
};

// Each test runs with the file translator served out of process, as it is
// registered, and with the same object made in this process, where the
// order of events against calls is exact (nothing arrives unless the test
// pumps messages).
class FileJobTest : public KernelTest, public testing::WithParamInterface<bool> {
 protected:
  bool InProcess() const { return GetParam(); }
  void SetUp() override {
    KernelTest::SetUp();
    context_ = CreateKernelObject<INrvaContext>(CLSID_NrvaContext);
    ASSERT_TRUE(context_);
    ComPtr<IDispatch> profile;
    ASSERT_EQ(S_OK, context_->GetProfile(profile.Receive()));
    profile_ = std::move(profile);
    HRESULT hr = E_FAIL;
    if (InProcess()) {
      translator_ = kernelstandin::NewFileTranslator().As<INrvaFileTranslator>();
      hr = translator_ ? S_OK : E_NOINTERFACE;
    } else {
      translator_ = CreateKernelObject<INrvaFileTranslator>(CLSID_NrvaFileTranslator, &hr);
    }
    ASSERT_EQ(S_OK, hr);
    sink_ = platform::MakeComObject<ProgressSink>();
    ASSERT_EQ(S_OK,
              translator_.As<IConnectionPointContainer>()->FindConnectionPoint(IID_INrvaTransEvents, point_.Receive()));
    ASSERT_EQ(S_OK, point_->Advise(static_cast<INrvaTransEvents*>(sink_.Get()), &cookie_));
  }
  void TearDown() override {
    if (point_) point_->Unadvise(cookie_);
  }

  HRESULT Start(long kind, const std::wstring& source, const std::wstring& destination, long mode) {
    Variant from = Variant::FromString(source), to = Variant::FromString(destination);
    return translator_->Translate(kind, kind, from.Get(), to.Get(), mode, profile_.Get(), 0, 0);
  }
  LONG State() {
    LONG state = -1;
    EXPECT_EQ(S_OK, translator_.As<INrvaTranslationJob>()->GetState(&state));
    return state;
  }
  bool WaitForStatus(DWORD timeoutMs = 15000) {
    return PumpUntil([&] { return !sink_->statuses.empty(); }, timeoutMs);
  }

  testsupport::TempFolder folder_;
  ComPtr<INrvaContext> context_;
  ComPtr<IDispatch> profile_;
  ComPtr<INrvaFileTranslator> translator_;
  ComPtr<platform::ComObject<ProgressSink>> sink_;
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace

TEST_P(FileJobTest, TranslatesAPlainTextFileAtOnce) {
  std::wstring source = folder_.WriteFile(L"in.txt", testsupport::Utf16WithMark(L"Hello world\r\nGood morning"));
  Variant name = Variant::FromString(L"UseColors"), value = Variant::FromBool(true);
  ASSERT_EQ(S_OK, translator_->SetOption(name.Get(), value.Get()));
  ASSERT_EQ(S_OK, Start(1, source, folder_.File(L"out.txt"), -1));
  EXPECT_EQ(L"Привет мир\r\nХороший утро", testsupport::ReadUtf16File(folder_.File(L"out.txt")));
  EXPECT_EQ(0, State());
  EXPECT_TRUE(sink_->statuses.empty());
}

TEST_P(FileJobTest, RunsAnHtmlJobWithProgressEventsThatArriveAfterTheStartCall) {
  std::wstring page = L"<html><head><title>Hello</title><script>var hello;</script></head><body>";
  for (int i = 0; i < 30; ++i) page += L"<p class=\"x\">The big house &amp; the small garden</p>\r\n";
  page += L"</body></html>";
  std::wstring source = folder_.WriteFile(L"page.htm", testsupport::Utf16WithMark(page));
  ASSERT_EQ(S_OK, Start(21, source, folder_.File(L"page.out"), 0));
  if (InProcess()) {
    EXPECT_TRUE(sink_->progress.empty()) << "no event inside the start call";
    EXPECT_TRUE(sink_->statuses.empty()) << "no event inside the start call";
    EXPECT_EQ(1, State());
  }
  ASSERT_TRUE(WaitForStatus());
  EXPECT_EQ(std::vector<LONG>{0}, sink_->statuses);
  EXPECT_EQ(0, State());
  ASSERT_FALSE(sink_->progress.empty());
  LONG range = sink_->progress.back().second;
  EXPECT_EQ(range, sink_->progress.back().first);
  for (size_t i = 0; i < sink_->progress.size(); ++i) EXPECT_EQ(static_cast<LONG>(i + 1), sink_->progress[i].first);
  std::string out = testsupport::ReadWholeFile(folder_.File(L"page.out"));
  EXPECT_NE(std::string::npos, out.find("<title>Привет</title><script>var hello;</script>"));
  EXPECT_NE(std::string::npos, out.find("<p class=\"x\">большой дом &amp; маленький сад</p>"));
}

TEST_P(FileJobTest, StopEndsTheJobAndTheFinalStatusStillArrives) {
  SetSwitch(L"JobStepDelay", 50);
  std::wstring text;
  for (int i = 0; i < 40; ++i) text += L"line of text number\r\n";
  std::wstring source = folder_.WriteFile(L"in.txt", testsupport::Utf16WithMark(text));
  auto job = translator_.As<INrvaTranslationJob>();
  ASSERT_EQ(S_OK, Start(1, source, folder_.File(L"out.txt"), 0));
  ASSERT_TRUE(PumpUntil([&] { return !sink_->progress.empty(); }, 15000));
  ASSERT_EQ(S_OK, job->Stop());
  if (InProcess()) {
    EXPECT_TRUE(sink_->statuses.empty()) << "the final status comes after Stop returns";
  }
  EXPECT_EQ(2, State());
  ASSERT_TRUE(WaitForStatus());
  EXPECT_EQ(std::vector<LONG>{2}, sink_->statuses);
  EXPECT_EQ(S_FALSE, job->Stop());
}

TEST_P(FileJobTest, SwitchesChangeHowAJobEnds) {
  std::wstring source = folder_.WriteFile(L"in.txt", testsupport::Utf16WithMark(L"one\r\ntwo\r\nthree"));
  {
    SCOPED_TRACE("NoFinalStatus");
    SetSwitch(L"NoFinalStatus", 1);
    ASSERT_EQ(S_OK, Start(1, source, folder_.File(L"a.txt"), 0));
    ASSERT_TRUE(PumpUntil([&] { return State() != 1; }, 15000));
    EXPECT_FALSE(WaitForStatus(1500));
    EXPECT_EQ(0, State());
    SetSwitch(L"NoFinalStatus", 0);
  }
  {
    SCOPED_TRACE("EarlyFinalStatus");
    SetSwitch(L"EarlyFinalStatus", 1);
    ASSERT_EQ(S_OK, Start(1, source, folder_.File(L"b.txt"), 0));
    EXPECT_EQ(std::vector<LONG>{0}, sink_->statuses) << "the status arrived inside the start call";
    EXPECT_EQ(L"один\r\nдва\r\nтри", testsupport::ReadUtf16File(folder_.File(L"b.txt")));
    SetSwitch(L"EarlyFinalStatus", 0);
    sink_->statuses.clear();
  }
  {
    SCOPED_TRACE("FailFileJob");
    SetSwitch(L"FailFileJob", 1);
    ASSERT_EQ(S_OK, Start(1, source, folder_.File(L"c.txt"), 0));
    ASSERT_TRUE(WaitForStatus());
    EXPECT_EQ(std::vector<LONG>{0x8005}, sink_->statuses);
    EXPECT_EQ(0x8005, State());
    SetSwitch(L"FailFileJob", 0);
  }
  {
    SCOPED_TRACE("FailTranslation");
    SetSwitch(L"FailTranslation", 0x800F0042);
    EXPECT_EQ(static_cast<HRESULT>(0x800F0042), Start(1, source, folder_.File(L"d.txt"), 0));
    EXPECT_EQ(static_cast<HRESULT>(0x800F0042), Start(1, source, folder_.File(L"d.txt"), -1));
  }
}

TEST_P(FileJobTest, AMissingSourceFileFailsTheStartCall) {
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), Start(1, folder_.File(L"none.txt"), folder_.File(L"o.txt"), 0));
  EXPECT_NE(1, State());
}

INSTANTIATE_TEST_SUITE_P(Served, FileJobTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "InProcess" : "OutOfProcess";
                         });
