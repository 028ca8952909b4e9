// Windows virtual-key codes: scripts name keys by these numbers, so every backend reports keys in them.
#pragma once

namespace qeli::platform::vk {

inline constexpr int LButton = 0x01;
inline constexpr int RButton = 0x02;
inline constexpr int Cancel = 0x03;
inline constexpr int MButton = 0x04;
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Clear = 0x0C;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12;
inline constexpr int Pause = 0x13;
inline constexpr int Capital = 0x14;
inline constexpr int Kana = 0x15;
inline constexpr int Kanji = 0x19;
inline constexpr int Escape = 0x1B;
inline constexpr int Convert = 0x1C;
inline constexpr int NonConvert = 0x1D;
inline constexpr int Space = 0x20;
inline constexpr int Prior = 0x21;
inline constexpr int Next = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Select = 0x29;
inline constexpr int Print = 0x2A;
inline constexpr int Execute = 0x2B;
inline constexpr int Snapshot = 0x2C;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Help = 0x2F;
inline constexpr int Key0 = 0x30;  // '0' to '9' are 0x30 to 0x39
inline constexpr int KeyA = 0x41;  // 'A' to 'Z' are 0x41 to 0x5A
inline constexpr int LWin = 0x5B;
inline constexpr int RWin = 0x5C;
inline constexpr int Apps = 0x5D;
inline constexpr int Sleep = 0x5F;
inline constexpr int Numpad0 = 0x60;  // to Numpad9 = 0x69
inline constexpr int Multiply = 0x6A;
inline constexpr int Add = 0x6B;
inline constexpr int Separator = 0x6C;
inline constexpr int Subtract = 0x6D;
inline constexpr int Decimal = 0x6E;
inline constexpr int Divide = 0x6F;
inline constexpr int F1 = 0x70;  // to F24 = 0x87
inline constexpr int NumLock = 0x90;
inline constexpr int Scroll = 0x91;
inline constexpr int LShift = 0xA0;
inline constexpr int RShift = 0xA1;
inline constexpr int LControl = 0xA2;
inline constexpr int RControl = 0xA3;
inline constexpr int LMenu = 0xA4;
inline constexpr int RMenu = 0xA5;
inline constexpr int BrowserBack = 0xA6;
inline constexpr int VolumeMute = 0xAD;
inline constexpr int VolumeDown = 0xAE;
inline constexpr int VolumeUp = 0xAF;
inline constexpr int MediaNextTrack = 0xB0;
inline constexpr int MediaPrevTrack = 0xB1;
inline constexpr int MediaStop = 0xB2;
inline constexpr int MediaPlayPause = 0xB3;
inline constexpr int Oem1 = 0xBA;       // ';:' on US, ':*' on Japanese keyboards
inline constexpr int OemPlus = 0xBB;    // '=+' / ';+'
inline constexpr int OemComma = 0xBC;
inline constexpr int OemMinus = 0xBD;
inline constexpr int OemPeriod = 0xBE;
inline constexpr int Oem2 = 0xBF;       // '/?'
inline constexpr int Oem3 = 0xC0;       // '`~' / '@`'
inline constexpr int Oem4 = 0xDB;       // '[{'
inline constexpr int Oem5 = 0xDC;       // '\|'
inline constexpr int Oem6 = 0xDD;       // ']}'
inline constexpr int Oem7 = 0xDE;       // ''"' / '^~'
inline constexpr int Oem102 = 0xE2;     // the extra '\_' key of Japanese and European keyboards

}  // namespace qeli::platform::vk
