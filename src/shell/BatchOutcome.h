#pragma once

namespace zarvic {

// How an unattended run ended.
enum class BatchOutcome {
  Done,        // everything asked for was written
  Incomplete,  // the output was written, but some input was refused or skipped (messages say which)
  Failed,      // the job could not be done or some output was not written (messages say why)
};

}  // namespace zarvic
