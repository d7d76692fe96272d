// A probe is a host process for one module, linked with it as a client
// application links an enabler. Run without a mode it runs its smoke tests;
//   write <file>         stores the probe's simulations, saves the drawing or
//                        design file and writes their facts beside it;
//   read <file>...       reads each file in turn and compares every simulation
//                        it loads with the facts beside the file; one line per
//                        file: "same <file>", "differs <file>: ..." or
//                        "unreadable <file>: ...".
// Each host family's probe defines these two.
#pragma once

#include <string>
#include <vector>

// 0 when the file and its facts were written.
int ProbeWrite(const std::string& file);
// 0 when every file read back the same as its facts.
int ProbeRead(const std::vector<std::string>& files);
