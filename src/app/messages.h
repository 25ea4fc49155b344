// The program's fixed texts, as the Shift-JIS bytes the engine works in.
// Each is written out once here with its readable form above it; they are
// converted only where they leave the engine (message boxes, tray tip).
#pragma once

namespace tk::msg {

// スクリプトファイルが読み込めません。
inline constexpr const char kScriptUnreadable[] =
    "\x83X\x83N\x83\x8A\x83v\x83g\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";
// スクリプトファイルを認識できませんでした。
inline constexpr const char kScriptUnrecognised[] =
    "\x83X\x83N\x83\x8A\x83v\x83g\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x94"
    "F\x8E\xAF\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81"
    "B";
// 命令異常です。
inline constexpr const char kCommandError[] =
    "\x96\xBD\x97\xDF\x88\xD9\x8F\xED\x82\xC5\x82\xB7\x81"
    "B";
// デバッグモードで実行します。
inline constexpr const char kDebugMode[] =
    "\x83"
    "f\x83o\x83"
    "b\x83O\x83\x82\x81[\x83h\x82\xC5\x8E\xC0\x8Ds\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";
// ファイルオープン異常です。
inline constexpr const char kFileOpenError[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x83I\x81[\x83v\x83\x93\x88\xD9\x8F\xED\x82\xC5\x82\xB7\x81"
    "B";
// ラベルが見つかりません。
inline constexpr const char kLabelNotFound[] =
    "\x83\x89\x83x\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";
// パラメータ異常です。
inline constexpr const char kParameterError[] =
    "\x83p\x83\x89\x83\x81\x81[\x83^\x88\xD9\x8F\xED\x82\xC5\x82\xB7\x81"
    "B";
// エラーログファイルがオープン出来ません。
inline constexpr const char kErrorLogUnopenable[] =
    "\x83G\x83\x89\x81[\x83\x8D\x83O\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x83I\x81[\x83v\x83\x93\x8Fo\x97\x88\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";
// Tenkoro について
inline constexpr const char kAboutCaption[] = "Tenkoro \x82\xC9\x82\xC2\x82\xA2\x82\xC4";
// PROMPT01
inline constexpr const char kPromptStripResource[] = "PROMPT01";

// Plain ASCII defaults.
inline constexpr const char kDefaultTitle[] = "Tenkoro";
inline constexpr const char kDefaultAboutText[] = "\nTenkoro\n\nVersion 1.00";

// イメージファイルがオープン出来ません。
inline constexpr const char kImageFileUnopenable[] =
    "\x83\x43\x83\x81\x81\x5B\x83\x57\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x83\x49"
    "\x81\x5B\x83\x76\x83\x93\x8F\x6F\x97\x88\x82\xDC\x82\xB9\x82\xF1\x81\x42";

}  // namespace tk::msg
