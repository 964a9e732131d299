// Any bytes as a settings file: read back unchanged, and a value written over them is the
// value found, also after the file is read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document(bytes);
    if (document.Bytes() != bytes) std::abort();
    for (const char* key : {"Petname0", "entry", "number"}) document.Find("PetList", key);

    document.Set("PetList", "Petname0", "\x83\x5c\x83\x89");
    IniDocument reread(document.Bytes());
    if (document.Find("PetList", "Petname0") != "\x83\x5c\x83\x89") std::abort();
    if (reread.Find("PetList", "Petname0") != "\x83\x5c\x83\x89") std::abort();
    if (document.Remove("PetList", "Petname0") && IniDocument(document.Bytes()).Bytes() != document.Bytes())
        std::abort();
    return 0;
}
