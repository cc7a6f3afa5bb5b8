// The register of every finding the checks can write: its code, tag, sentence, the counter it
// feeds and its indentation. The finding writer formats every message line from it, and
// `kestrova-check --list-codes` prints it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrova {

enum class FindingTag : std::uint8_t { None, MustFix, MustConfirm, SystemError };

// The counter a finding adds one to when it is counted.
enum class FindingCounter : std::uint8_t { None, MustFix, MustConfirm };

// How the text of a finding ends: a line feed after its last line; none (the structure findings,
// whose path line the next text continues); or a line feed in front and none after (the error
// limit line, which the summary follows).
enum class FindingBreaks : std::uint8_t { After, None, Before };

// Every kind of finding, one per sentence.
enum class FindingKind : std::uint8_t {
  RuleFileUnreadable,
  CheckHashModuleMissing,
  RuleSetMissing,
  GuidelineWrong,
  RequiredFileMissing,
  FolderUnreadable,
  NamingRuleBroken,
  DtdFileDiffers,
  XmlFileMissing,
  XmlFileNotLoaded,
  XmlLibraryError,
  XmlOtherFailure,
  XmlFileNotValid,
  DocumentTypeMissing,
  DocumentTypeWrong,
  EncodingMissing,
  EncodingNotUtf8,
  EncodingNotShiftJis,
  EncodingMarkContradicts,
  DrawingFolderMissing,
  DrawingFolderMissingForAddition,
  DrawingFolderNotNamed,
  ValueTooLong,
  ForbiddenCharacter,
  RequiredValueMissing,
  ValueNotInList,
  WorkRelationWrong,
  PhotoDivisionWrong,
  PhotoDivisionWrongOnOneLine,
  CategoryNotWork,
  PhotoFileMissing,
  CompressionDiffers,
  DrawingUnreadable,
  PixelsOutsideGivenRange,
  PixelsOutsideStandardRange,
  PixelsTooMany,
  PixelsChanged,
  FileTooLarge,
  ExifMissing,
  ExifTooOld,
  GnssMissing,
  PhotoAltered,
  ErrorLimitExceeded,
};

// Indentation that the writer of the line gives (the photo attribute file's element checks: two
// blanks for its basic information, four for a photo entry).
inline constexpr int kIndentOfCaller = 0;

struct FindingRecord {
  FindingKind kind;
  int code;
  FindingTag tag;
  // Each "%s" stands for one value that the writer fills in, in order.
  std::u16string_view sentence;
  FindingCounter counter;
  int indent;  // blanks before the code, or kIndentOfCaller
  FindingBreaks breaks = FindingBreaks::After;
};

inline constexpr std::array kFindingRegister = {
    FindingRecord{FindingKind::RuleFileUnreadable, 5001, FindingTag::SystemError,
                  u"設定ファイル読み込みエラー。", FindingCounter::MustFix, 1},
    FindingRecord{FindingKind::CheckHashModuleMissing, 5001, FindingTag::SystemError,
                  u"信憑性チェックモジュール読み込みエラー。", FindingCounter::None, 1},
    FindingRecord{FindingKind::RuleSetMissing, 5010, FindingTag::None,
                  u"PHOT_KQ4.DTDを確認できませんでした。電子媒体を指定し直してください。",
                  FindingCounter::MustFix, 1},
    FindingRecord{FindingKind::GuidelineWrong, 5011, FindingTag::MustFix,
                  u"適用要領が誤っています。", FindingCounter::None, 2},
    FindingRecord{FindingKind::RequiredFileMissing, 5012, FindingTag::MustFix,
                  u"必要なファイルが存在しません。", FindingCounter::MustFix, 2,
                  FindingBreaks::None},
    FindingRecord{FindingKind::FolderUnreadable, 5012, FindingTag::MustFix,
                  u"フォルダの内容を読み取れません。", FindingCounter::MustFix, 2,
                  FindingBreaks::None},
    FindingRecord{FindingKind::NamingRuleBroken, 5013, FindingTag::MustFix,
                  u"ファイルの命名規則に反しています。", FindingCounter::MustFix, 2,
                  FindingBreaks::None},
    FindingRecord{FindingKind::DtdFileDiffers, 5022, FindingTag::MustFix, u"%sが正しくありません。",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::XmlFileMissing, 5023, FindingTag::MustFix,
                  u"XMLファイルが存在していません。", FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::XmlFileNotLoaded, 5023, FindingTag::MustFix,
                  u"xmlファイルが読みこまれていません", FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::XmlLibraryError, 5023, FindingTag::MustFix, u"ERROR on %s: %s",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::XmlOtherFailure, 5023, FindingTag::MustFix, u"Error on %s",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::XmlFileNotValid, 5023, FindingTag::MustFix, u"%s",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::DocumentTypeMissing, 5024, FindingTag::MustFix,
                  u"xmlファイル内にDTDファイルが定義されていません。", FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::DocumentTypeWrong, 5024, FindingTag::MustFix,
                  u"xmlファイル内に定義されているDTDファイルが正しくありません。",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::EncodingMissing, 5025, FindingTag::MustFix,
                  u"XMLファイルヘッダーに文字コード情報が記述されていません。",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::EncodingNotUtf8, 5025, FindingTag::MustFix,
                  u"XMLファイルヘッダーに指定されている文字コードがUTF-8ではありません。",
                  FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::EncodingNotShiftJis, 5025, FindingTag::MustFix,
                  u"XMLファイルヘッダーに指定されている文字コードがSHIFT_JISではありません。",
                  FindingCounter::MustFix, 2},
    FindingRecord{
        FindingKind::EncodingMarkContradicts, 5025, FindingTag::MustFix,
        u"XMLファイルのバイトオーダーマーク（BOM）が、ヘッダーに指定されている文字コードと"
        u"一致しません。",
        FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::DrawingFolderMissing, 5026, FindingTag::MustFix,
                  u"記述されている参考図フォルダは存在しません。", FindingCounter::MustFix,
                  kIndentOfCaller},
    FindingRecord{FindingKind::DrawingFolderMissingForAddition, 5026, FindingTag::MustFix,
                  u"付加情報が記述されていますが、参考図フォルダは存在しません。",
                  FindingCounter::MustFix, kIndentOfCaller},
    FindingRecord{FindingKind::DrawingFolderNotNamed, 5026, FindingTag::MustFix,
                  u"参考図フォルダ名の記述がありません。", FindingCounter::MustFix, 2},
    FindingRecord{FindingKind::ValueTooLong, 5032, FindingTag::MustFix,
                  u"文字数制限を超えています。", FindingCounter::MustFix, kIndentOfCaller},
    FindingRecord{FindingKind::ForbiddenCharacter, 5033, FindingTag::MustFix,
                  u"禁則文字 '%s' を使用しています。", FindingCounter::MustFix, kIndentOfCaller},
    FindingRecord{FindingKind::RequiredValueMissing, 5034, FindingTag::MustFix,
                  u"必須項目が記述されていません。", FindingCounter::MustFix, kIndentOfCaller},
    FindingRecord{FindingKind::ValueNotInList, 5035, FindingTag::MustFix,
                  u"『%s』は、%sのいづれかを入力してください。", FindingCounter::MustFix,
                  kIndentOfCaller},
    FindingRecord{FindingKind::WorkRelationWrong, 5041, FindingTag::MustFix,
                  u"工種／種別／細別の関連が間違っています。", FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::PhotoDivisionWrong, 5042, FindingTag::MustFix,
                  u"大分類／写真区分の関連が間違っています。", FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::PhotoDivisionWrongOnOneLine, 5042, FindingTag::MustFix,
                  u"大分類／写真区分の関連が間違っています。【大分類：%s，写真区分：%s】",
                  FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::CategoryNotWork, 5042, FindingTag::MustConfirm,
                  u"写真-大分類に、'工事'以外が記述されています。", FindingCounter::MustConfirm,
                  kIndentOfCaller},
    FindingRecord{FindingKind::PhotoFileMissing, 5051, FindingTag::MustFix,
                  u"%s：PHOTO.XMLに記述されている写真ファイル名または、参考図ファイル名が存在しま"
                  u"せん。",
                  FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::CompressionDiffers, 5052, FindingTag::MustConfirm,
                  u"圧縮形式が異なります。", FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::DrawingUnreadable, 5053, FindingTag::MustConfirm,
                  u"圧縮形式が異なります。", FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::PixelsOutsideGivenRange, 5053, FindingTag::MustConfirm,
                  u"画素数が指定範囲外です。", FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::PixelsOutsideStandardRange, 5053, FindingTag::MustConfirm,
                  u"工事写真の画素数が1024～1280/768～1024以外になっています。",
                  FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::PixelsTooMany, 5053, FindingTag::MustConfirm,
                  u"工事写真の画素数が1280×960Pixel以上になっています。",
                  FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::PixelsChanged, 5053, FindingTag::MustConfirm,
                  u"工事写真の画素数が変更された可能性があります。", FindingCounter::MustConfirm,
                  4},
    FindingRecord{FindingKind::FileTooLarge, 5054, FindingTag::MustConfirm,
                  u"ファイルサイズが大きすぎます。", FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::ExifMissing, 5055, FindingTag::MustFix,
                  u"工事写真ファイルにEXIF情報がありません。", FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::ExifTooOld, 5055, FindingTag::MustFix,
                  u"工事写真ファイルのEXIFバージョンが古すぎます。", FindingCounter::MustFix, 4},
    FindingRecord{FindingKind::GnssMissing, 5057, FindingTag::MustConfirm,
                  u"写真区分：%sの写真は、GNSS(GPS)情報が必要です。", FindingCounter::MustConfirm,
                  4},
    FindingRecord{FindingKind::PhotoAltered, 5058, FindingTag::MustConfirm,
                  u"工事写真ファイルは改ざんされています。", FindingCounter::MustConfirm, 4},
    FindingRecord{FindingKind::ErrorLimitExceeded, 9999, FindingTag::None,
                  u"エラー数が制限を超えました。検査を中断します。", FindingCounter::None, 2,
                  FindingBreaks::Before},
};

constexpr const FindingRecord& RecordOf(FindingKind kind) {
  return kFindingRegister[static_cast<std::size_t>(kind)];
}

// The tag as the log writes it: "[要修正]", "[要確認]", "[システムエラー]" or empty.
constexpr std::u16string_view TagText(FindingTag tag) {
  switch (tag) {
    case FindingTag::MustFix:
      return u"[要修正]";
    case FindingTag::MustConfirm:
      return u"[要確認]";
    case FindingTag::SystemError:
      return u"[システムエラー]";
    case FindingTag::None:
      break;
  }
  return {};
}

namespace register_checks {

// Each record stands at the place of its kind, so a kind always finds its own record.
constexpr bool KindsInPlace() {
  for (std::size_t i = 0; i < kFindingRegister.size(); ++i) {
    if (static_cast<std::size_t>(kFindingRegister[i].kind) != i) return false;
  }
  return true;
}

// Codes ascend through the register, all within ERR-005001 to ERR-005058 and ERR-009999.
constexpr bool CodesInOrderAndRange() {
  int previous = 0;
  for (const FindingRecord& record : kFindingRegister) {
    const bool inRange = (record.code >= 5001 && record.code <= 5058) || record.code == 9999;
    if (!inRange || record.code < previous) return false;
    previous = record.code;
  }
  return true;
}

// A tagged finding feeds the counter of its tag (or none, where it only stops the run); only
// 5010 and 9999 go without a tag; a system error is counted as must-fix where it is counted.
constexpr bool TagsMatchCounters() {
  for (const FindingRecord& record : kFindingRegister) {
    switch (record.tag) {
      case FindingTag::MustFix:
        if (record.counter == FindingCounter::MustConfirm) return false;
        break;
      case FindingTag::MustConfirm:
        if (record.counter != FindingCounter::MustConfirm) return false;
        break;
      case FindingTag::SystemError:
        if (record.counter == FindingCounter::MustConfirm) return false;
        break;
      case FindingTag::None:
        if (record.code != 5010 && record.code != 9999) return false;
        break;
    }
  }
  return true;
}

// No sentence is registered twice under one code and tag.
constexpr bool SentencesDistinctPerCode() {
  for (std::size_t i = 0; i < kFindingRegister.size(); ++i) {
    for (std::size_t j = i + 1; j < kFindingRegister.size(); ++j) {
      const FindingRecord& a = kFindingRegister[i];
      const FindingRecord& b = kFindingRegister[j];
      if (a.code == b.code && a.tag == b.tag && a.sentence == b.sentence) return false;
    }
  }
  return true;
}

constexpr bool IndentsKnown() {
  for (const FindingRecord& record : kFindingRegister) {
    if (record.indent != 1 && record.indent != 2 && record.indent != 4 &&
        record.indent != kIndentOfCaller) {
      return false;
    }
  }
  return true;
}

}  // namespace register_checks

static_assert(register_checks::KindsInPlace(), "a register record stands out of its kind's place");
static_assert(register_checks::CodesInOrderAndRange(), "register codes out of order or range");
static_assert(register_checks::TagsMatchCounters(), "a register tag feeds another counter");
static_assert(register_checks::SentencesDistinctPerCode(), "a sentence is registered twice");
static_assert(register_checks::IndentsKnown(), "a register indentation is not 1, 2 or 4 blanks");
static_assert(RecordOf(FindingKind::ErrorLimitExceeded).code == 9999);

}  // namespace kestrova
