#include "browserproxy/server/NorvaVQDWrapper.h"

#include <algorithm>
#include <cwchar>

#include "browserproxy/kernel/PageLanguage.h"
#include "browserproxy/server/ErrorText.h"
#include "browserproxy/server/VQDProtocol.h"
#include "browserproxy/server/VQDRequest.h"
#include "browserproxy/ui/VQDAtlAboutDlg.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

using platform::ComError;

namespace {

// The "id" text as a decimal number (0 when it is none), as the server's
// direction codes are sent.
long DecimalOf(const std::wstring& text) { return std::wcstol(text.c_str(), nullptr, 10); }

std::wstring RequiredAttribute(IXMLDOMNode* node, const wchar_t* name) {
  std::optional<std::wstring> value = vqd::AttributeText(node, name);
  if (!value) throw ComError(E_POINTER, std::wstring(L"the reply lacks the attribute ") + name);
  return *value;
}

}  // namespace

CNorvaVQDWrapper::CNorvaVQDWrapper(std::wstring title) : title_(std::move(title)) {}

CNorvaVQDWrapper::~CNorvaVQDWrapper() = default;

void CNorvaVQDWrapper::SetTimeouts(DWORD requestMs, DWORD jobWithoutSinkMs) {
  requestTimeoutMs_ = requestMs;
  jobTimeoutMs_ = jobWithoutSinkMs;
}

bool CNorvaVQDWrapper::Connect(const std::wstring& connectionString) {
  busy_ = true;
  connectionString_ = connectionString;
  if (connectionString.empty()) return false;
  urlBase_ = connectionString;
  // A failure leaves the connector busy; a throw from a handler below leaves
  // the function (the catch-all does not see it).
  try {
    LoadLists();
  } catch (const ComError& e) {
    switch (e.Result()) {
      case E_FAIL: throw ComError(vqd::kServerUnreachable, e.Context());
      case vqd::kServerUnreachable:
      case vqd::kAccessDenied: throw;
      case vqd::kServerError: throw ComError(vqd::kServerErrorOnConnect, e.Context());
      default: break;
    }
    MessageBoxW(nullptr, ServerErrorText(e.Result()).c_str(), title_.c_str(), MB_ICONEXCLAMATION);
    return false;
  } catch (...) {
    return false;
  }
  busy_ = false;
  return true;
}

void CNorvaVQDWrapper::LoadLists() {
  // The new lists are built apart; the old ones stay until they are complete.
  std::vector<VQDDirectionRecord> directions;
  vqd::Document reply = vqd::PostForm(urlBase_, L"GetDirections", std::nullopt, requestTimeoutMs_);
  for (const vqd::Node& node : vqd::FindElements(vqd::DocumentElement(reply.Get()).Get(), L"Direction")) {
    VQDDirectionRecord direction;
    direction.idText = RequiredAttribute(node.Get(), L"id");
    direction.id = DecimalOf(direction.idText);
    direction.name = RequiredAttribute(node.Get(), L"Name");
    vqd::Document templates = vqd::PostForm(urlBase_, L"GetTemplates", vqd::FormBody({{L"DirId", direction.idText}}),
                                            requestTimeoutMs_);
    for (const vqd::Node& t : vqd::FindElements(vqd::DocumentElement(templates.Get()).Get(), L"Template"))
      direction.templates.push_back({RequiredAttribute(t.Get(), L"id"), RequiredAttribute(t.Get(), L"Name")});
    directions.push_back(std::move(direction));
  }
  directions_.swap(directions);
  activeDirection_ = directions_.empty() ? -1 : 0;
  activeTemplate_ = activeDirection_ == 0 && !directions_[0].templates.empty() ? 0 : -1;
}

std::wstring CNorvaVQDWrapper::ActiveDirIdText() const {
  return activeDirection_ >= 0 ? directions_[activeDirection_].idText : std::wstring();
}

std::wstring CNorvaVQDWrapper::ActiveTemplateName() const {
  if (activeDirection_ < 0 || activeTemplate_ < 0) return {};
  return directions_[activeDirection_].templates[activeTemplate_].name;
}

bool CNorvaVQDWrapper::TranslateText(const std::wstring& text, std::wstring& result, long singleWord) {
  const std::wstring body =
      vqd::FormBody({{L"DirId", ActiveDirIdText()}, {L"TplId", ActiveTemplateName()}, {L"Text", text}});
  if (singleWord && text.find_first_of(L" \t\n") == std::wstring::npos) {
    try {
      vqd::Document reply = vqd::PostForm(urlBase_, L"TranslateTextWithED", body, requestTimeoutMs_);
      result = vqd::NodeText(vqd::DocumentElement(reply.Get()).Get());
      return true;
    } catch (const ComError&) {
      // The dictionary failed: the plain translation follows.
    }
  }
  vqd::Document reply = vqd::PostForm(urlBase_, L"TranslateText", body, requestTimeoutMs_);
  result = vqd::NodeText(vqd::DocumentElement(reply.Get()).Get());
  return true;
}

const VQDDirectionRecord& CNorvaVQDWrapper::Direction(unsigned long index) const {
  if (index >= directions_.size()) throw ComError(E_INVALIDARG, L"no direction at that index");
  return directions_[index];
}

unsigned long CNorvaVQDWrapper::GetDirsCount() { return static_cast<unsigned long>(directions_.size()); }

std::wstring CNorvaVQDWrapper::GetDirName(unsigned long index) { return Direction(index).name; }

long CNorvaVQDWrapper::GetDirID(unsigned long index) { return Direction(index).id; }

unsigned long CNorvaVQDWrapper::GetTmplCountByDirIdx(unsigned long directionIndex) {
  return static_cast<unsigned long>(Direction(directionIndex).templates.size());
}

unsigned long CNorvaVQDWrapper::GetTmplCount() {
  if (activeDirection_ < 0) return 0;
  return static_cast<unsigned long>(directions_[activeDirection_].templates.size());
}

std::wstring CNorvaVQDWrapper::GetTmplNameByDirIdx(unsigned long templateIndex, unsigned long directionIndex) {
  const VQDDirectionRecord& direction = Direction(directionIndex);
  if (templateIndex >= direction.templates.size()) throw ComError(E_INVALIDARG, L"no template at that index");
  return direction.templates[templateIndex].name;
}

std::wstring CNorvaVQDWrapper::GetTmplName(unsigned long templateIndex) {
  if (activeDirection_ < 0) throw ComError(E_INVALIDARG, L"no active direction");
  return GetTmplNameByDirIdx(templateIndex, static_cast<unsigned long>(activeDirection_));
}

void CNorvaVQDWrapper::ShowSecondAbout(int iconGroupId, const std::wstring&, HINSTANCE instance) {
  ShowAbout(iconGroupId, std::wstring(), instance);
}

void CNorvaVQDWrapper::ShowAbout(int iconGroupId, const std::wstring& title, HINSTANCE instance) {
  HINSTANCE module = instance ? instance : GetModuleHandleW(nullptr);
  CVQDAtlAboutDlg about(module, MAKEINTRESOURCEW(iconGroupId), title.empty() ? nullptr : title.c_str());
  about.Run(GetForegroundWindow());
}

long CNorvaVQDWrapper::GetActiveDirID() { return activeDirection_ >= 0 ? directions_[activeDirection_].id : -1; }

long CNorvaVQDWrapper::SelectDirectionById(long directionId) {
  if (directionId == -1 || directions_.empty()) return 1;
  long chosen = 0;
  for (size_t i = 0; i < directions_.size(); ++i) {
    if (directions_[i].id == directionId) {
      chosen = static_cast<long>(i);
      break;
    }
  }
  activeDirection_ = chosen;
  activeTemplate_ = directions_[chosen].templates.empty() ? -1 : 0;
  return 0;
}

void CNorvaVQDWrapper::SetActiveDirID(long directionId) { SelectDirectionById(directionId); }

unsigned long CNorvaVQDWrapper::GetActiveDirIndex() {
  if (activeDirection_ >= 0) return static_cast<unsigned long>(activeDirection_);
  if (directions_.empty()) return 0;
  SelectDirectionById(directions_[0].id);
  return 0;
}

void CNorvaVQDWrapper::SetActiveDirIndex(unsigned long index) {
  const VQDDirectionRecord& direction = Direction(index);
  activeDirection_ = static_cast<long>(index);
  // A template of the previous direction would be sent with this one.
  activeTemplate_ = direction.templates.empty() ? -1 : 0;
}

std::wstring CNorvaVQDWrapper::GetActiveTplId() {
  if (activeDirection_ < 0 || activeTemplate_ < 0) return {};
  return directions_[activeDirection_].templates[activeTemplate_].id;
}

HRESULT CNorvaVQDWrapper::SetActiveTplId(const std::wstring& templateId) {
  if (templateId.empty() || activeDirection_ < 0) return 1;
  const auto& templates = directions_[activeDirection_].templates;
  long chosen = templates.empty() ? -1 : 0;
  platform::Bstr wanted(templateId);
  auto same = [&wanted](const std::wstring& text) {
    return VarBstrCmp(platform::Bstr(text).Get(), wanted.Get(), LOCALE_USER_DEFAULT, 0) ==
           static_cast<HRESULT>(VARCMP_EQ);
  };
  // Its identifier first; callers that show templates hand over the name.
  auto found = std::find_if(templates.begin(), templates.end(), [&](const auto& t) { return same(t.id); });
  if (found == templates.end())
    found = std::find_if(templates.begin(), templates.end(), [&](const auto& t) { return same(t.name); });
  if (found != templates.end()) chosen = static_cast<long>(found - templates.begin());
  activeTemplate_ = chosen;
  return 0;
}

unsigned long CNorvaVQDWrapper::GetActiveTplIndex() {
  if (activeTemplate_ >= 0) return static_cast<unsigned long>(activeTemplate_);
  if (activeDirection_ >= 0 && !directions_[activeDirection_].templates.empty()) activeTemplate_ = 0;
  return 0;
}

long CNorvaVQDWrapper::GetPageDirection(const std::wstring& pageText, long flag) {
  return static_cast<long>(ChoosePageDirection(pageText, this, flag != 0));
}
