#pragma once

/// How a conversion run ended, for the program around it.
enum class RunEnd {
  ReportWritten,     ///< the run went through its files and wrote the report
  ReportNotWritten,  ///< the run went through its files; the report could not be written
  DestinationTaken,  ///< test mode: the destination was there already, nothing was done
  Stopped,           ///< a check, the user or a refused pattern ended the run early
};
