// "AEGP Persistent Data Suite" v3 and v4: the host's settings file, by blob,
// section and key. As in the host, reading a missing key with a default
// stores that default.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/NotOffered.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <AE_GeneralPlug.h>

#include <algorithm>
#include <cstring>

namespace vlam::host {
namespace {

constexpr int kBlobCount = 7;
char blobAnchors[kBlobCount]; // a blob handle is the address of its anchor

AEGP_PersistentBlobH blobHandle(int type) { return reinterpret_cast<AEGP_PersistentBlobH>(&blobAnchors[type]); }

int blobIndex(AEGP_PersistentBlobH blob) {
  const char *p = reinterpret_cast<const char *>(blob);
  if (p < blobAnchors || p >= blobAnchors + kBlobCount) return -1;
  return static_cast<int>(p - blobAnchors);
}

// Validates the blob and the two names common to most functions.
bool validEntry(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key) {
  return blobIndex(blob) >= 0 && section && key;
}

template <class T>
A_Err getValue(const char *name, AEGP_PersistentBlobH blob, const A_char *section, const A_char *key,
               const T *fallback, T *out) {
  return hostCall(name, [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key) || !out) return A_Err_PARAMETER;
    auto stored = host.settings().get(blobIndex(blob), section, key);
    if (!stored) {
      if (!fallback) return A_Err_PARAMETER;
      host.settings().set(blobIndex(blob), section, key, *fallback);
      *out = *fallback;
      return A_Err_NONE;
    }
    const T *value = std::get_if<T>(&*stored);
    if (!value) return A_Err_PARAMETER; // the key holds another type
    *out = *value;
    return A_Err_NONE;
  });
}

template <class T>
A_Err setValue(const char *name, AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, T value) {
  return hostCall(name, [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key)) return A_Err_PARAMETER;
    host.settings().set(blobIndex(blob), section, key, std::move(value));
    return A_Err_NONE;
  });
}

A_Err blobV3(AEGP_PersistentBlobH *blob) {
  return hostCall("AEGP_GetApplicationBlob", [&](Host &) -> A_Err {
    if (!blob) return A_Err_PARAMETER;
    *blob = blobHandle(AEGP_PersistentType_MACHINE_SPECIFIC); // the one application blob of v3
    return A_Err_NONE;
  });
}

A_Err blobV4(AEGP_PersistentType type, AEGP_PersistentBlobH *blob) {
  return hostCall("AEGP_GetApplicationBlob", [&](Host &) -> A_Err {
    if (!blob || type < 0 || type >= kBlobCount) return A_Err_PARAMETER;
    *blob = blobHandle(type);
    return A_Err_NONE;
  });
}

// Copies a name into a caller's buffer of `size` bytes.
A_Err copyOut(const std::string &text, A_long size, A_char *out) {
  if (!out || size <= 0) return A_Err_PARAMETER;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return A_Err_NONE;
}

A_Err numSections(AEGP_PersistentBlobH blob, A_long *count) {
  return hostCall("AEGP_GetNumSections", [&](Host &host) -> A_Err {
    if (blobIndex(blob) < 0 || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(host.settings().sections(blobIndex(blob)).size());
    return A_Err_NONE;
  });
}

A_Err sectionKeyByIndex(AEGP_PersistentBlobH blob, A_long index, A_long size, A_char *out) {
  return hostCall("AEGP_GetSectionKeyByIndex", [&](Host &host) -> A_Err {
    if (blobIndex(blob) < 0) return A_Err_PARAMETER;
    const auto sections = host.settings().sections(blobIndex(blob));
    if (index < 0 || static_cast<std::size_t>(index) >= sections.size()) return A_Err_PARAMETER;
    return copyOut(sections[static_cast<std::size_t>(index)], size, out);
  });
}

A_Err doesKeyExist(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_Boolean *exists) {
  return hostCall("AEGP_DoesKeyExist", [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key) || !exists) return A_Err_PARAMETER;
    *exists = host.settings().get(blobIndex(blob), section, key).has_value();
    return A_Err_NONE;
  });
}

A_Err numKeys(AEGP_PersistentBlobH blob, const A_char *section, A_long *count) {
  return hostCall("AEGP_GetNumKeys", [&](Host &host) -> A_Err {
    if (blobIndex(blob) < 0 || !section || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(host.settings().keys(blobIndex(blob), section).size());
    return A_Err_NONE;
  });
}

A_Err valueKeyByIndex(AEGP_PersistentBlobH blob, const A_char *section, A_long index, A_long size, A_char *out) {
  return hostCall("AEGP_GetValueKeyByIndex", [&](Host &host) -> A_Err {
    if (blobIndex(blob) < 0 || !section) return A_Err_PARAMETER;
    const auto keys = host.settings().keys(blobIndex(blob), section);
    if (index < 0 || static_cast<std::size_t>(index) >= keys.size()) return A_Err_PARAMETER;
    return copyOut(keys[static_cast<std::size_t>(index)], size, out);
  });
}

A_Err getDataHandle(AEGP_PluginID, AEGP_PersistentBlobH blob, const A_char *section, const A_char *key,
                    AEGP_MemHandle fallback, AEGP_MemHandle *out) {
  return hostCall("AEGP_GetDataHandle", [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key) || !out) return A_Err_PARAMETER;
    SettingsStore::Bytes bytes;
    auto stored = host.settings().get(blobIndex(blob), section, key);
    if (stored) {
      const auto *b = std::get_if<SettingsStore::Bytes>(&*stored);
      if (!b) return A_Err_PARAMETER;
      bytes = *b;
    } else {
      auto *h = reinterpret_cast<void **>(fallback);
      if (!h || !host.memHandles().known(h)) return A_Err_PARAMETER;
      const auto *p = static_cast<const std::uint8_t *>(*h);
      bytes.assign(p, p + host.memHandles().size(h));
      host.settings().set(blobIndex(blob), section, key, bytes);
    }
    void **copy = host.memHandles().allocate(bytes.size());
    if (!copy) return A_Err_ALLOC;
    if (!bytes.empty()) std::memcpy(*copy, bytes.data(), bytes.size());
    *out = reinterpret_cast<AEGP_MemHandle>(copy);
    return A_Err_NONE;
  });
}

A_Err getData(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_u_long size,
              const void *fallback, void *out) {
  return hostCall("AEGP_GetData", [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key) || !out) return A_Err_PARAMETER;
    auto stored = host.settings().get(blobIndex(blob), section, key);
    if (!stored) {
      if (!fallback) return A_Err_PARAMETER;
      const auto *p = static_cast<const std::uint8_t *>(fallback);
      host.settings().set(blobIndex(blob), section, key, SettingsStore::Bytes(p, p + size));
      std::memmove(out, fallback, size);
      return A_Err_NONE;
    }
    const auto *b = std::get_if<SettingsStore::Bytes>(&*stored);
    if (!b || b->size() != size) return A_Err_PARAMETER; // wrong type or size
    std::memcpy(out, b->data(), size);
    return A_Err_NONE;
  });
}

A_Err getString(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key,
                const A_char *fallback, A_u_long bufSize, A_char *buf, A_u_long *actualSize) {
  return hostCall("AEGP_GetString", [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key)) return A_Err_PARAMETER;
    std::string text;
    auto stored = host.settings().get(blobIndex(blob), section, key);
    if (stored) {
      const auto *s = std::get_if<std::string>(&*stored);
      if (!s) return A_Err_PARAMETER;
      text = *s;
    } else {
      if (!fallback) return A_Err_PARAMETER;
      text = fallback;
      host.settings().set(blobIndex(blob), section, key, text);
    }
    if (actualSize) *actualSize = static_cast<A_u_long>(text.size() + 1);
    if (buf && bufSize > 0) {
      const std::size_t n = std::min<std::size_t>(text.size(), bufSize - 1);
      std::memcpy(buf, text.data(), n);
      buf[n] = 0;
    }
    return A_Err_NONE;
  });
}

A_Err getLong(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_long fallback, A_long *out) {
  const std::int32_t f = fallback;
  return getValue<std::int32_t>("AEGP_GetLong", blob, section, key, &f, out);
}

A_Err getFpLong(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_FpLong fallback, A_FpLong *out) {
  return getValue<double>("AEGP_GetFpLong", blob, section, key, &fallback, out);
}

SettingsStore::Bytes timeBytes(const A_Time &t) {
  SettingsStore::Bytes b(sizeof t);
  std::memcpy(b.data(), &t, sizeof t);
  return b;
}

A_Err getTime(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, const A_Time *fallback,
              A_Time *out) {
  if (!out) return A_Err_PARAMETER;
  return getData(blob, section, key, sizeof(A_Time), fallback, out);
}

A_Err setDataHandle(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, const AEGP_MemHandle value) {
  return hostCall("AEGP_SetDataHandle", [&](Host &host) -> A_Err {
    auto *h = reinterpret_cast<void **>(value);
    if (!validEntry(blob, section, key) || !h || !host.memHandles().known(h)) return A_Err_PARAMETER;
    const auto *p = static_cast<const std::uint8_t *>(*h);
    host.settings().set(blobIndex(blob), section, key, SettingsStore::Bytes(p, p + host.memHandles().size(h)));
    return A_Err_NONE;
  });
}

A_Err setData(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_u_long size, const void *data) {
  if (!data && size) return A_Err_PARAMETER;
  const auto *p = static_cast<const std::uint8_t *>(data);
  return setValue("AEGP_SetData", blob, section, key, SettingsStore::Bytes(p, p + size));
}

A_Err setString(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, const A_char *text) {
  if (!text) return A_Err_PARAMETER;
  return setValue("AEGP_SetString", blob, section, key, std::string(text));
}

A_Err setLong(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_long value) {
  return setValue("AEGP_SetLong", blob, section, key, std::int32_t{value});
}

A_Err setFpLong(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, A_FpLong value) {
  return setValue("AEGP_SetFpLong", blob, section, key, double{value});
}

A_Err setTime(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key, const A_Time *value) {
  if (!value) return A_Err_PARAMETER;
  return setValue("AEGP_SetTime", blob, section, key, timeBytes(*value));
}

A_Err deleteEntry(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key) {
  return hostCall("AEGP_DeleteEntry", [&](Host &host) -> A_Err {
    if (!validEntry(blob, section, key)) return A_Err_PARAMETER;
    host.settings().erase(blobIndex(blob), section, key);
    return A_Err_NONE;
  });
}

A_Err prefsDirectory(AEGP_MemHandle *path) {
  return hostCall("AEGP_GetPrefsDirectory", [&](Host &host) -> A_Err {
    if (!path) return A_Err_PARAMETER;
    const std::string dir = host.settings().path().parent_path().string();
    // UTF-16, zero-terminated (the directory name is ASCII or UTF-8 bytes
    // widened one by one, which is exact for ASCII).
    void **h = host.memHandles().allocate((dir.size() + 1) * sizeof(A_UTF16Char));
    if (!h) return A_Err_ALLOC;
    auto *out = static_cast<A_UTF16Char *>(*h);
    for (std::size_t i = 0; i < dir.size(); ++i) out[i] = static_cast<unsigned char>(dir[i]);
    *path = reinterpret_cast<AEGP_MemHandle>(h);
    return A_Err_NONE;
  });
}

const AEGP_PersistentDataSuite3 kPersistentV3{
    .AEGP_GetApplicationBlob = blobV3,
    .AEGP_GetNumSections = numSections,
    .AEGP_GetSectionKeyByIndex = sectionKeyByIndex,
    .AEGP_DoesKeyExist = doesKeyExist,
    .AEGP_GetNumKeys = numKeys,
    .AEGP_GetValueKeyByIndex = valueKeyByIndex,
    .AEGP_GetDataHandle = getDataHandle,
    .AEGP_GetData = getData,
    .AEGP_GetString = getString,
    .AEGP_GetLong = getLong,
    .AEGP_GetFpLong = getFpLong,
    .AEGP_SetDataHandle = setDataHandle,
    .AEGP_SetData = setData,
    .AEGP_SetString = setString,
    .AEGP_SetLong = setLong,
    .AEGP_SetFpLong = setFpLong,
    .AEGP_DeleteEntry = deleteEntry,
    .AEGP_GetPrefsDirectory = prefsDirectory,
};
const AEGP_PersistentDataSuite4 kPersistentV4{
    .AEGP_GetApplicationBlob = blobV4,
    .AEGP_GetNumSections = numSections,
    .AEGP_GetSectionKeyByIndex = sectionKeyByIndex,
    .AEGP_DoesKeyExist = doesKeyExist,
    .AEGP_GetNumKeys = numKeys,
    .AEGP_GetValueKeyByIndex = valueKeyByIndex,
    .AEGP_GetDataHandle = getDataHandle,
    .AEGP_GetData = getData,
    .AEGP_GetString = getString,
    .AEGP_GetLong = getLong,
    .AEGP_GetFpLong = getFpLong,
    .AEGP_GetTime = getTime,
    VLAM_UNOFFERED(AEGP_GetARGB),
    .AEGP_SetDataHandle = setDataHandle,
    .AEGP_SetData = setData,
    .AEGP_SetString = setString,
    .AEGP_SetLong = setLong,
    .AEGP_SetFpLong = setFpLong,
    .AEGP_SetTime = setTime,
    VLAM_UNOFFERED(AEGP_SetARGB),
    .AEGP_DeleteEntry = deleteEntry,
    .AEGP_GetPrefsDirectory = prefsDirectory,
};

} // namespace

void publishPersistentDataSuites(SuiteRegistry &registry) {
  publishTable(registry, kPersistentV3);
  publishTable(registry, kPersistentV4);
}

} // namespace vlam::host
