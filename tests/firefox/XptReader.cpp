#include "XptReader.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr char kMagic[] = "XPCOM\nTypeLib\r\n\x1a";
constexpr uint32_t kHeaderFixedSize = 16 + 1 + 1 + 2 + 4 + 4 + 4;
constexpr uint32_t kDirectoryEntrySize = 16 + 4 + 4 + 4;

struct Malformed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Big-endian reads at a zero-based file position, bounds-checked.
class Cursor {
 public:
  Cursor(const std::vector<uint8_t>& bytes, uint32_t at) : bytes_(bytes), at_(at) {}
  uint8_t U8() {
    if (at_ >= bytes_.size()) throw Malformed("read past the end of the file");
    return bytes_[at_++];
  }
  uint16_t U16() { return static_cast<uint16_t>(U8() << 8 | U8()); }
  uint32_t U32() {
    uint32_t high = U16();
    return high << 16 | U16();
  }
  uint32_t Position() const { return at_; }

 private:
  const std::vector<uint8_t>& bytes_;
  uint32_t at_;
};

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  XptFile Read() {
    if (bytes_.size() < kHeaderFixedSize || memcmp(bytes_.data(), kMagic, 16) != 0) throw Malformed("no magic");
    Cursor header(bytes_, 16);
    XptFile file;
    file.majorVersion = header.U8();
    file.minorVersion = header.U8();
    if (file.majorVersion != 1) throw Malformed("major version " + std::to_string(file.majorVersion));
    const uint16_t count = header.U16();
    file.fileLength = header.U32();
    if (file.fileLength != bytes_.size()) throw Malformed("the file is not as long as its header says");
    const uint32_t directory = header.U32();
    dataPool_ = header.U32();
    // Annotations: a flags byte each (last 0x80, private 0x40), a private
    // one followed by two strings of the data pool.
    for (;;) {
      uint8_t flags = header.U8();
      if (flags & 0x40) {
        header.U32();
        header.U32();
      }
      if (flags & 0x80) break;
    }
    if (directory == 0) throw Malformed("no interface directory");
    Cursor entries(bytes_, directory - 1);
    std::vector<uint32_t> descriptors;
    for (uint16_t i = 0; i < count; ++i) {
      XptInterface entry;
      entry.iid.Data1 = entries.U32();
      entry.iid.Data2 = entries.U16();
      entry.iid.Data3 = entries.U16();
      for (uint8_t& b : entry.iid.Data4) b = entries.U8();
      entry.name = Identifier(entries.U32());
      entries.U32();  // name space
      descriptors.push_back(entries.U32());
      file.interfaces.push_back(std::move(entry));
    }
    for (uint16_t i = 0; i < count; ++i) {
      if (!descriptors[i]) continue;
      XptInterface& entry = file.interfaces[i];
      entry.resolved = true;
      Cursor descriptor = AtPool(descriptors[i]);
      entry.parentIndex = descriptor.U16();
      const uint16_t methods = descriptor.U16();
      for (uint16_t m = 0; m < methods; ++m) entry.methods.push_back(Method(descriptor));
      if (descriptor.U16() != 0) throw Malformed(entry.name + " has constants, which this reader does not read");
      entry.flags = descriptor.U8();
    }
    return file;
  }

 private:
  Cursor AtPool(uint32_t offset) const {
    if (offset == 0) throw Malformed("a zero offset into the data pool");
    return Cursor(bytes_, dataPool_ + offset - 1);
  }

  std::string Identifier(uint32_t offset) const {
    if (offset == 0) return {};
    Cursor text = AtPool(offset);
    std::string result;
    for (char c; (c = static_cast<char>(text.U8())) != 0;) result += c;
    return result;
  }

  XptType Type(Cursor& in) const {
    XptType type;
    type.prefix = in.U8();
    switch (type.Tag()) {
      case 18:  // interface: its directory index
        type.interfaceIndex = in.U16();
        break;
      case 19:  // interface named by another argument
        in.U8();
        break;
      case 20:  // array: size and length arguments, then the element type
        in.U8();
        in.U8();
        Type(in);
        break;
      case 21:
      case 22:  // strings with size and length arguments
        in.U8();
        in.U8();
        break;
      default:
        break;
    }
    return type;
  }

  XptParam Param(Cursor& in) const {
    XptParam param;
    param.flags = in.U8();
    param.type = Type(in);
    return param;
  }

  XptMethod Method(Cursor& in) const {
    XptMethod method;
    method.flags = in.U8();
    method.name = Identifier(in.U32());
    const uint8_t count = in.U8();
    for (uint8_t i = 0; i < count; ++i) method.params.push_back(Param(in));
    method.result = Param(in);
    return method;
  }

  const std::vector<uint8_t>& bytes_;
  uint32_t dataPool_ = 0;
};

}  // namespace

const XptInterface* XptFile::Find(const std::string& name) const {
  for (const XptInterface& entry : interfaces)
    if (entry.name == name) return &entry;
  return nullptr;
}

std::optional<XptFile> ReadXpt(const std::vector<uint8_t>& bytes, std::string* error) {
  try {
    return Reader(bytes).Read();
  } catch (const Malformed& failure) {
    if (error) *error = failure.what();
    return std::nullopt;
  }
}
