// The simulator on Windows reads and writes the same bytes as on Linux: its standard streams in
// binary mode, so "\n" stays "\n" (its reader takes "\r\n" lines itself). Set before main runs;
// linked into the Windows build of quillmere-sim only.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <initializer_list>

namespace {

struct BinaryStdio {
  BinaryStdio() {
    for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  }
};

const BinaryStdio kBinaryStdio;

}  // namespace
