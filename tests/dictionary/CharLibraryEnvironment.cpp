// Every test of this program binds the charlib40.dll stand-in through the
// product's "SharedRoot" folder, as the proxy does on an installed machine.
#include <gtest/gtest.h>

#include <memory>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "shared/CharLibrary.h"

namespace {

constexpr const wchar_t* kFolders = L"Software\\Norvasoft\\NRVA9\\Folders";

class CharLibraryEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        folders_ = std::make_unique<testsupport::ScopedFixedKey>(HKEY_LOCAL_MACHINE, kFolders);
        testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot",
                                  testsupport::SiblingPath(L"charlib") + L"\\");
        LoadCharLibrary();
    }
    void TearDown() override { folders_.reset(); }

private:
    std::unique_ptr<testsupport::ScopedFixedKey> folders_;
};

const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new CharLibraryEnvironment);

}  // namespace
