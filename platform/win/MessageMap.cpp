#include "platform/win/MessageMap.h"

namespace platform {

MessageMap& MessageMap::On(UINT message, Handler handler) {
  entries_.push_back({Kind::Message, message, 0, false, std::move(handler)});
  return *this;
}

MessageMap& MessageMap::OnCommand(UINT id, UINT code, Handler handler) {
  entries_.push_back({Kind::Command, code, id, false, std::move(handler)});
  return *this;
}

MessageMap& MessageMap::OnCommand(UINT id, Handler handler) {
  entries_.push_back({Kind::Command, 0, id, true, std::move(handler)});
  return *this;
}

MessageMap& MessageMap::OnNotify(UINT_PTR id, UINT code, Handler handler) {
  entries_.push_back({Kind::Notify, code, id, false, std::move(handler)});
  return *this;
}

MessageMap& MessageMap::Chain(const MessageMap& other) {
  const MessageMap* chained = &other;
  chains_.push_back([chained](Message& message, LRESULT& result) { return chained->Dispatch(message, result); });
  return *this;
}

MessageMap& MessageMap::Chain(ChainHandler handler) {
  chains_.push_back(std::move(handler));
  return *this;
}

bool MessageMap::Matches(const Entry& entry, const Message& message) const {
  switch (entry.kind) {
    case Kind::Message: return message.id == entry.message;
    case Kind::Command:
      return message.id == WM_COMMAND && message.CommandId() == entry.id &&
             (entry.anyCode || message.CommandCode() == entry.message);
    case Kind::Notify: {
      if (message.id != WM_NOTIFY || !message.lParam) return false;
      const NMHDR* header = message.Notification();
      return header->idFrom == entry.id && header->code == entry.message;
    }
  }
  return false;
}

bool MessageMap::Dispatch(Message& message, LRESULT& result) const {
  // By index, with the handler copied: a handler may add entries (or clear
  // the map) while it runs.
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!Matches(entries_[i], message)) continue;
    Handler handler = entries_[i].handler;
    message.handled = true;
    LRESULT answer = handler(message);
    if (message.handled) {
      result = answer;
      return true;
    }
  }
  for (size_t i = 0; i < chains_.size(); ++i) {
    ChainHandler chain = chains_[i];
    message.handled = true;
    if (chain(message, result)) return true;
  }
  message.handled = false;
  return false;
}

void MessageMap::Clear() {
  entries_.clear();
  chains_.clear();
}

}  // namespace platform
