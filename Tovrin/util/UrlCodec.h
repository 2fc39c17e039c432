#pragma once

// Key of URL32Decoding when the caller passes -1. The maker's server scrambles its texts with
// the same number, so it must never change on this side alone.
const int kUrl32DefaultKey = 0x5B;
