#include "report_line.h"

#include "platform/file_system.h"

std::string ReportLine(const std::string& path, const std::string& what) {
  return path + " => " + what + "\n";
}

std::string ReplacedLinkLine(const std::string& path) {
  return ReportLine(path, "link replaced by the file written; its target was left as it was.");
}

std::string ReplacedLinkLines() {
  std::string lines;
  for (const std::string& link : platform::TakeReplacedLinks()) lines += ReplacedLinkLine(link);
  return lines;
}

std::string LeftOutDescription(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::Special:
      return "not a file, folder or link to one (a pipe, socket or device)";
    case LeftOutReason::Unreadable:
      return "could not be read";
    case LeftOutReason::UnreadableFolder:
      return "folder could not be read";
    case LeftOutReason::RepeatedFolder:
    case LeftOutReason::HoldingFolder:
    case LeftOutReason::OutsideFolder:
      break;
  }
  return "";
}
