// chmcheck FILE.chm TOPIC...
// Checks a compiled help file: it must be a well-formed ITSF file whose
// directory lists every topic named on the command line as "/<topic>.htm",
// the name that the server's "<file>::/<topic>.htm" address asks the viewer
// for. Prints one line per topic and exits with 1 when any is missing.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  if (at + 4 > b.size()) throw std::string("truncated file");
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::uint64_t U64(const std::vector<unsigned char>& b, std::size_t at) {
  return U32(b, at) | std::uint64_t(U32(b, at + 4)) << 32;
}

// Variable-length integer of the directory entries: 7 bits a byte, most
// significant first, the high bit set on every byte but the last.
std::uint64_t EncInt(const std::vector<unsigned char>& b, std::size_t& at, std::size_t end) {
  std::uint64_t v = 0;
  for (int n = 0; n < 10; ++n) {
    if (at >= end) throw std::string("directory entry runs past its chunk");
    unsigned char c = b[at++];
    v = v << 7 | (c & 0x7f);
    if (!(c & 0x80)) return v;
  }
  throw std::string("bad number in a directory entry");
}

// Names of every entry of the file's directory (the listing chunks "PMGL").
std::set<std::string> DirectoryNames(const std::vector<unsigned char>& f) {
  if (f.size() < 0x58 || std::string(f.begin(), f.begin() + 4) != "ITSF")
    throw std::string("not a compiled help file (no ITSF header)");
  const std::uint64_t dir = U64(f, 0x48);  // header section 1: the directory
  if (dir + 0x54 > f.size() || std::string(f.begin() + dir, f.begin() + dir + 4) != "ITSP")
    throw std::string("directory header ITSP not found");
  const std::uint32_t headerLen = U32(f, dir + 8);
  const std::uint32_t chunkSize = U32(f, dir + 0x10);
  const std::uint32_t chunks = U32(f, dir + 0x2c);
  if (chunkSize < 0x20 || chunkSize > (1u << 20)) throw std::string("bad directory chunk size");
  std::set<std::string> names;
  for (std::uint32_t c = 0; c < chunks; ++c) {
    const std::size_t start = dir + headerLen + std::size_t(c) * chunkSize;
    const std::size_t end = start + chunkSize;
    if (end > f.size()) throw std::string("directory chunk past the end of the file");
    if (std::string(f.begin() + start, f.begin() + start + 4) != "PMGL") continue;  // index chunk
    const std::uint32_t freeSpace = U32(f, start + 4);
    if (freeSpace > chunkSize - 20) throw std::string("bad free space in a listing chunk");
    const std::size_t entriesEnd = end - freeSpace;
    std::size_t at = start + 20;
    while (at < entriesEnd) {
      const std::uint64_t len = EncInt(f, at, entriesEnd);
      if (at + len > entriesEnd) throw std::string("entry name runs past its chunk");
      names.emplace(f.begin() + at, f.begin() + at + len);
      at += len;
      EncInt(f, at, entriesEnd);  // content section
      EncInt(f, at, entriesEnd);  // offset
      EncInt(f, at, entriesEnd);  // length
    }
  }
  return names;
}

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: chmcheck FILE.chm TOPIC...\n");
    return 2;
  }
  const std::wstring file = argv[1];
  std::ifstream in(file.c_str(), std::ios::binary);
  if (!in) {
    std::printf("FAIL: help file %s not found\n", Narrow(file).c_str());
    return 1;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  try {
    names = DirectoryNames(bytes);
  } catch (const std::string& e) {
    std::printf("FAIL: %s: %s\n", Narrow(file).c_str(), e.c_str());
    return 1;
  }
  int failures = 0;
  for (int i = 2; i < argc; ++i) {
    const std::wstring topic = argv[i];
    const std::string entry = "/" + Narrow(topic) + ".htm";
    if (!names.count(entry)) {
      std::printf("FAIL: topic %s is not in the help file\n", entry.c_str());
      ++failures;
      continue;
    }
    std::printf("ok: %s\n", entry.c_str());
  }
  std::printf("%d topic(s) checked, %d problem(s)\n", argc - 2, failures);
  return failures ? 1 : 0;
}
