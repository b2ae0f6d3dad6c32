// What a failed check leaves behind: a screenshot of the programs' windows
// and copies of their window logs, in the artifacts folder.
#ifndef KBX_TESTING_WIN_TEST_EVIDENCE_H
#define KBX_TESTING_WIN_TEST_EVIDENCE_H

#include <string>

#include "kobrix_testing.h"

namespace kbxtest {

// The programs the helper started, for the evidence of a later failure.
void note_program_started(const KBX_TestProgram* program);
void note_program_ended(const KBX_TestProgram* program);
// For a failed check: leaves the evidence (for the first few failures of a
// run) and returns lines that name it, or say that the programs had ended.
std::string leave_evidence();

}  // namespace kbxtest

#endif
