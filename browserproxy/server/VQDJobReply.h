#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/com/MsXml.h"
#include "browserproxy/server/VQDRequest.h"

// The replies of a file or page job, read by position: the server names
// their elements as it likes. Positions count element children only, so
// white space, comments and processing instructions between them (and a
// SOAP Header before the body) move nothing.
namespace vqd {

// The element children of the node, in document order.
std::vector<Node> ElementChildren(IXMLDOMNode* parent);

// A start reply: envelope, body, response element, result element; of the
// result's elements, the first is the work id, the second the ready flag.
struct JobStart {
  std::optional<std::wstring> workId;
  std::optional<std::wstring> ready;
};
// Raises E_POINTER when the body, the response or the result element is
// missing; a result element with fewer than two elements leaves the fields
// it lacks empty, so that a work id it did give can still stop the job.
JobStart ReadJobStart(IXMLDOMDocument* reply);

// A poll reply: of the document element's elements, 1 is the ready flag,
// 2 the progress in percent (0 when it is no number), 5 the Base64 result.
struct JobState {
  std::wstring ready;
  long progress = 0;
  std::wstring result;
};
// Raises E_POINTER when the document element has fewer than six elements.
JobState ReadJobState(IXMLDOMDocument* reply);

// The job is finished when its ready flag is anything but exactly "false".
inline bool IsFinished(const std::wstring& ready) { return ready != L"false"; }

}  // namespace vqd
