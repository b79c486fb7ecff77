#pragma once

namespace xmltree {

/// Counts live trees: the first acquisition starts Xerces, the release of the
/// last stops it. A failed start is reported on standard error and counted all
/// the same.
void AcquireXerces();
void ReleaseXerces();

}  // namespace xmltree
