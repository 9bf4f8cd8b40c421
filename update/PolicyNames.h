#pragma once

// Where an organisation's policies for this program live, under the machine's
// and under each user's root, and the value names read there. The
// administrative templates in policy/ name the same key and values; the
// test script compares them with these.
inline constexpr char kPolicyKey[] = "Software\\Policies\\Vellinor";
inline constexpr char kMenuUrlValue[] = "MenuUrl";
inline constexpr char kMenuPublicKeyValue[] = "MenuPublicKey";
