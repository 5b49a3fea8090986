// Writing or removing one string value.
#include "launch/RegistryValue.h"
#include "data/RegistryKey.h"
#include "data/Strings.h"

RegistryWrite WriteOrDeleteRegistryString(HKEY root, const char* keyPath, const char* valueName, const char* data) {
    if (!valueName || !*valueName || !data || !*data) return RegistryWrite::Skipped;
    RegistryKey key;
    if (!key.Open(root, keyPath, KEY_ALL_ACCESS, true)) return RegistryWrite::KeyFailed;
    if (EqualNoCase(data, "DELETE"))
        key.DeleteValue(valueName);
    else
        key.WriteString(valueName, data);
    return RegistryWrite::Done;
}
