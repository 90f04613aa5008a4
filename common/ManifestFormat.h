#pragma once
// The update manifest up.xml as both the editor and the upgrader read it, and
// as mkupxml writes it. Plain C++ so that the build tool shares it.
//
// Layout (GBK on disk, lines ended by CR LF):
//   <?xml version="1.0" encoding="gb2312"?>
//   <在线更新>
//     <程序 版本="1.1" 地址="http://host/path/Quillon" SHA256="64 hex digits"/>
//   </在线更新>
// The root's name is free. The update entry is the root's first child element
// ("@1/@1"); its values are attributes, read by name. SHA256 is optional: when
// present, the upgrader refuses a download whose digest differs.

// The exact first line; anything else means the server did not send a manifest.
inline constexpr char kManifestFirstLine[] = "<?xml version=\"1.0\" encoding=\"gb2312\"?>";
inline constexpr char kUpdateEntryPath[] = "@1/@1";
inline constexpr char kManifestVersionName[] = "版本";
inline constexpr char kManifestAddressName[] = "地址";
inline constexpr char kManifestChecksumName[] = "SHA256";
