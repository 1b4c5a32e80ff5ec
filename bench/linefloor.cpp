// The read floor of the import: reads a file twice, line by line, with a
// plain buffered line reader, as the import reads an invoice in its two
// passes, and does nothing with the lines.  Prints the bytes read, so that
// the reading cannot be left out.
//
//   linefloor FILE
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: linefloor FILE\n");
    return 2;
  }
  unsigned long long bytes = 0;
  for (int pass = 0; pass < 2; ++pass) {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "linefloor: cannot read %s\n", argv[1]);
      return 1;
    }
    std::string line;
    while (std::getline(in, line)) bytes += line.size() + 1;
  }
  std::printf("%llu\n", bytes);
  return 0;
}
