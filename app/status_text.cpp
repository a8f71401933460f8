//===- app/status_text.cpp ------------------------------------------------===//

#include "app/status_text.h"

namespace filecrypter {

StatusLine FinalStatus(const CommandReport &report) {
  if (report.refused)
    return {std::string(kStatusNothingDropped), kColourFailed};
  if (report.failures.empty())
    return {std::string(kStatusDone), kColourDone};
  return {"× " + std::to_string(report.failures.size()) + " 个文件失败", kColourFailed};
}

std::string FailureDetails(const CommandReport &report) {
  std::string details;
  for (const FileFailure &failure : report.failures) {
    if (!details.empty())
      details += '\n';
    details += failure.path + ": " + failure.reason;
  }
  return details;
}

} // namespace filecrypter
