// `tkc encode`: a text script, map or flag file into the encoded form the
// program reads. The preview encodes with it too.
#pragma once

#include <string>
#include <vector>

namespace tkc {

// Encodes the file `in` into `out`. Returns why it could not, empty when it
// did; `warnings` gets "IN:LINE: what" for each line the encoded form cannot
// hold whole.
std::string EncodeTextFile(const std::string& in, const std::string& out,
                           std::vector<std::string>& warnings);

}  // namespace tkc
