// Quenlo.exe's silent runs over a fabricated machine with Adobe Acrobat and
// Reader, both editions of the Acrobat plug-in, QIP Infium and Skype.
#include "AcrobatMessengerHosts.h"
#include "ChildProcess.h"
#include "HostFixture.h"
#include "TempFolder.h"

namespace {

// Which plug-ins are in place, and what the messenger records say.
struct State {
  bool acrobat, acrobatVqd, reader, readerVqd, qip;
  DWORD qipRecord, skypeRecord;  // 9: not recorded
  bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << "Acrobat " << s.acrobat << "/" << s.acrobatVqd << ", Reader " << s.reader << "/" << s.readerVqd
             << ", QIP " << s.qip << " recorded " << s.qipRecord << ", Skype recorded " << s.skypeRecord;
}

class AcrobatMessengerProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    machine_ = std::make_unique<hostfab::FabricatedMachine>(ProcessTempFolder(L"quenlo-acromsg-"));
    register_ = std::make_unique<hostfab::KeptFile>(hostfab::AcrobatRegisterPath());
    register_->Clear();
    hostfab::AddAcrobatAndMessengers(*machine_);
    programs_ = machine_->Root() + L"Programs";
  }
  void TearDown() override {
    register_.reset();
    machine_.reset();
  }

  static void Run(const std::wstring& arguments) {
    testsupport::ChildProcess child;
    ASSERT_TRUE(child.Start(L"\"" + testsupport::SiblingPath(L"Quenlo.exe") + L"\" " + arguments));
    DWORD code = 1234;
    EXPECT_TRUE(child.Wait(60000, &code)) << "Quenlo.exe " << std::string(arguments.begin(), arguments.end());
    EXPECT_EQ(0u, code);
  }
  static DWORD Record(const wchar_t* name) {
    DWORD value = 9, size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, hostfab::kMessengersKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }
  State Read() const {
    std::wstring acrobat = programs_ + L"\\Adobe\\Adobe Acrobat 9.0\\Acrobat\\plug_ins\\";
    std::wstring reader = programs_ + L"\\Adobe\\Acrobat Reader 10.1\\Reader\\plug_ins\\";
    return {Exists(acrobat + L"NRVA9\\Pelvane.API"),
            Exists(acrobat + L"NRVA9VQD\\PelvaneVQD.API"),
            Exists(reader + L"NRVA9\\Pelvane.API"),
            Exists(reader + L"NRVA9VQD\\PelvaneVQD.API"),
            Exists(programs_ + L"\\QIP Infium\\Plugins\\NorvaQIP\\NorvaQIP.dll"),
            Record(L"QIP Infium"),
            Record(L"Skype")};
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::unique_ptr<hostfab::FabricatedMachine> machine_;
  std::unique_ptr<hostfab::KeptFile> register_;
  std::wstring programs_;
};

TEST_F(AcrobatMessengerProgramTest, CodesSwitchTheirEditionOnlyAndTheWholeRunEveryHost) {
  machine_->WatchFolder(programs_);
  hostfab::Footprint before = machine_->Snapshot();
  EXPECT_EQ((State{false, false, false, false, false, 9, 9}), Read());
  Run(L"/i aa|qi");
  EXPECT_EQ((State{true, false, true, false, true, 1, 9}), Read());
  Run(L"/i aap");
  EXPECT_EQ((State{true, true, true, true, true, 1, 9}), Read());
  std::string on = testsupport::ReadWholeFile(register_->Path());
  EXPECT_NE(std::string::npos, on.find("[PLUGINS]\r\n")) << on;
  EXPECT_NE(std::string::npos, on.find("AA9.0=")) << on;
  EXPECT_NE(std::string::npos, on.find("AAR10.1=")) << on;
  Run(L"/u aa");
  EXPECT_EQ((State{false, true, false, true, true, 1, 9}), Read());
  Run(L"/u");
  EXPECT_EQ((State{false, false, false, false, false, 0, 0}), Read());
  EXPECT_FALSE(Exists(register_->Path())) << "no entry left";
  Run(L"/i");
  EXPECT_EQ((State{true, true, true, true, true, 1, 1}), Read());
  Run(L"/u");
  EXPECT_EQ((State{false, false, false, false, false, 0, 0}), Read());
  // Every file of the hosts is back as it was.
  EXPECT_EQ(std::vector<std::wstring>(), hostfab::DiffFootprints(before, machine_->Snapshot()));
}

}  // namespace
