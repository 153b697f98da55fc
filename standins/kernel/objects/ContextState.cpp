#include "ContextState.h"

namespace kernelstandin {

std::wstring ContextState::ActiveTemplateOf(long dirId) const {
  auto chosen = templates_.find(dirId);
  if (chosen != templates_.end()) return chosen->second;
  const DirectionInfo* direction = data_->FindDirection(dirId);
  return direction ? direction->templates.front().id : std::wstring();
}

HRESULT ContextState::SetActiveIndex(long index) {
  if (index < 0 || static_cast<size_t>(index) >= data_->Directions().size()) return E_INVALIDARG;
  bool changed = active_ != static_cast<size_t>(index);
  active_ = static_cast<size_t>(index);
  if (changed) Notify(17);
  return S_OK;
}

HRESULT ContextState::SetActiveDirID(long dirId) {
  const auto& directions = data_->Directions();
  for (size_t i = 0; i < directions.size(); ++i)
    if (directions[i].id == dirId) return SetActiveIndex(static_cast<long>(i));
  return E_INVALIDARG;
}

HRESULT ContextState::SetActiveTemplate(long dirId, const std::wstring& templateId) {
  if (!data_->FindTemplate(dirId, templateId)) return E_INVALIDARG;
  bool changed = ActiveTemplateOf(dirId) != templateId;
  templates_[dirId] = templateId;
  if (changed && dirId == ActiveDirID()) Notify(18);
  return S_OK;
}

void ContextState::ProfileChanged() { Notify(19); }

void ContextState::Notify(int event) {
  if (listener_) listener_(event, ActiveDirID(), ActiveTemplateId());
}

}  // namespace kernelstandin
