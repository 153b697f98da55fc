#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "KernelData.h"

namespace kernelstandin {

// What a translation context knows: its client, the active direction and
// the active template of each direction. Shared by the context and the
// objects it hands out (direction list, profile, template lists); a template
// manager made on its own has a state of its own.
class ContextState {
 public:
  // Events of the context: 17 direction, 18 template, 19 profile changed.
  using Listener = std::function<void(int event, long dirId, const std::wstring& templateId)>;

  explicit ContextState(std::shared_ptr<const KernelData> data) : data_(std::move(data)) {}

  const KernelData& Data() const { return *data_; }
  std::shared_ptr<const KernelData> DataPtr() const { return data_; }

  std::wstring client;
  VARIANT_BOOL opened = VARIANT_FALSE;

  size_t ActiveIndex() const { return active_; }
  const DirectionInfo& ActiveDirection() const { return data_->Directions()[active_]; }
  long ActiveDirID() const { return ActiveDirection().id; }
  // The active template of a direction (its first until one is chosen).
  std::wstring ActiveTemplateOf(long dirId) const;
  std::wstring ActiveTemplateId() const { return ActiveTemplateOf(ActiveDirID()); }

  // E_INVALIDARG for an index or id the kernel does not have.
  HRESULT SetActiveIndex(long index);
  HRESULT SetActiveDirID(long dirId);
  HRESULT SetActiveTemplate(long dirId, const std::wstring& templateId);
  void ProfileChanged();

  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  void Notify(int event);

  std::shared_ptr<const KernelData> data_;
  size_t active_ = 0;
  std::map<long, std::wstring> templates_;
  Listener listener_;
};

}  // namespace kernelstandin
