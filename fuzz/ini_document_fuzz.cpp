// Any bytes as a settings file: read back unchanged, and values written over them are the
// values found, and every key reads the same as after the file is read again.
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
    // A removal where lookups have split only the lines before the key.
    IniDocument removed = document;
    removed.Remove("PetList", "entry");
    for (const char* key : {"Petname0", "entry", "number"})
        if (removed.Find("PetList", key) != IniDocument(removed.Bytes()).Find("PetList", key)) std::abort();

    document.Set("PetList", "Petname0", "\x83\x5c\x83\x89");
    if (document.Find("PetList", "Petname0") != "\x83\x5c\x83\x89") std::abort();
    // Edits that the document indexes in place, and one that the input itself names.
    document.Set("PetList", "Petname9", "x");
    document.Set("New", "k", "v");
    const std::string own(bytes.substr(0, bytes.find_first_of("=\n")));
    document.Set("PetList", own, own);
    IniDocument reread(document.Bytes());
    for (const char* section : {"PetList", "New", "NowPet"})
        for (const std::string& key : {std::string("Petname0"), std::string("Petname9"), std::string("k"),
                                       std::string("entry"), own})
            if (document.Find(section, key) != reread.Find(section, key)) std::abort();
    if (document.Remove("PetList", "Petname0") && IniDocument(document.Bytes()).Bytes() != document.Bytes())
        std::abort();
    return 0;
}
