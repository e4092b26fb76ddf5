// The setup component pack: registers its classes and their published properties with
// the form-data reader.
#pragma once

namespace setupctrls {

// Safe to call more than once.
void RegisterSetupCtrls();

}  // namespace setupctrls
