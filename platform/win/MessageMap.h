#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/win/Message.h"

namespace platform {

// The handlers of a window or dialog, asked in the order they were added:
// by message, WM_COMMAND by control id and notification code, WM_NOTIFY by
// control id and notification code. Chained maps (another object's map,
// such as a child list's owner-draw handlers) are asked afterwards.
class MessageMap {
 public:
  using Handler = std::function<LRESULT(Message&)>;
  // Tells whether it handled the message and gives its result.
  using ChainHandler = std::function<bool(Message&, LRESULT&)>;

  MessageMap() = default;
  MessageMap(const MessageMap&) = delete;
  MessageMap& operator=(const MessageMap&) = delete;

  MessageMap& On(UINT message, Handler handler);
  // WM_COMMAND from this id with this notification code (BN_CLICKED...).
  MessageMap& OnCommand(UINT id, UINT code, Handler handler);
  // WM_COMMAND from this id with any notification code.
  MessageMap& OnCommand(UINT id, Handler handler);
  // WM_NOTIFY from this control id with this code (LVN_ITEMCHANGED...).
  MessageMap& OnNotify(UINT_PTR id, UINT code, Handler handler);
  // The other map must outlive this one (or be unchained by Clear).
  MessageMap& Chain(const MessageMap& other);
  MessageMap& Chain(ChainHandler handler);

  // True when a handler answered; result holds its answer.
  bool Dispatch(Message& message, LRESULT& result) const;
  void Clear();
  bool Empty() const { return entries_.empty() && chains_.empty(); }

 private:
  enum class Kind { Message, Command, Notify };
  struct Entry {
    Kind kind;
    UINT message;  // the message, or the notification code
    UINT_PTR id;
    bool anyCode;
    Handler handler;
  };
  bool Matches(const Entry& entry, const Message& message) const;

  std::vector<Entry> entries_;
  std::vector<ChainHandler> chains_;
};

}  // namespace platform
