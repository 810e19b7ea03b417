#include "app/form/failure_messages.h"

namespace kx27 {
namespace {

std::u16string Quoted(std::u16string_view file_name) {
  return u"「" + std::u16string(file_name) + u"」";
}

// Why a file could not be replaced; the same words for every file.
std::u16string ReplaceFailureReason(TReplaceResult result, std::u16string_view file_name) {
  switch (result) {
    case TReplaceResult::kReadOnly: return Quoted(file_name) + u"が読み取り専用になっています。";
    case TReplaceResult::kInUse:
      return Quoted(file_name) + u"をほかのプログラム（ウイルス対策ソフトなど）が使用中です。";
    case TReplaceResult::kDiskFull: return u"ディスクの空き容量が足りません。";
    case TReplaceResult::kReplaced:
    case TReplaceResult::kFailed: break;
  }
  return Quoted(file_name) +
         u"に書き込めませんでした（フォルダへの書き込みが許可されていない可能性があります）。";
}

}  // namespace

std::u16string AnswerFailureMessage(TAnswer answer, std::u16string_view file_name) {
  std::u16string reason;
  switch (answer) {
    case TAnswer::kOutOfMemory:
      reason = u"メモリが足りません。ほかのプログラムを閉じてから、もう一度実行してください。";
      break;
    case TAnswer::kBusy:
      reason = Quoted(file_name) + u"を別の変換（kx27c.exe など）が処理中です。";
      break;
    case TAnswer::kReadOnly:
      reason = ReplaceFailureReason(TReplaceResult::kReadOnly, file_name);
      break;
    case TAnswer::kInUse: reason = ReplaceFailureReason(TReplaceResult::kInUse, file_name); break;
    case TAnswer::kDiskFull:
      reason = ReplaceFailureReason(TReplaceResult::kDiskFull, file_name);
      break;
    case TAnswer::kWritten:
    case TAnswer::kFailed: reason = ReplaceFailureReason(TReplaceResult::kFailed, file_name); break;
  }
  return u"線種を変換できませんでした。図面は変更しません。\r\n\r\n" + reason;
}

std::u16string SettingsSaveFailureMessage(TReplaceResult result, std::u16string_view file_name) {
  return u"設定ファイル" + Quoted(file_name) + u"を保存できませんでした。\r\n" +
         ReplaceFailureReason(result, file_name) +
         u"\r\nこのダイアログで変更したプリセットは保存されていません。";
}

std::u16string WriteBackRefusalMessage(TWriteBackProblem problem) {
  switch (problem) {
    case TWriteBackProblem::kIncompleteRead:
      return u"選択された図形（JWC_TEMP.TXT）を最後まで読み込めませんでした。\r\n"
             u"図面は変更しません。";
    case TWriteBackProblem::kBlockFigures:
      return u"選択範囲にブロック図形が含まれています。このツールはブロック図形を書き戻せないため、"
             u"図面は変更しません。\r\n"
             u"外部変形のBATファイルに「REM "
             u"#ht10」を入れてください（付属のBATファイルには入っています）。";
    case TWriteBackProblem::kNone: break;
  }
  return {};
}

std::u16string WriteBackRefusalStatus(TWriteBackProblem problem) {
  switch (problem) {
    case TWriteBackProblem::kIncompleteRead:
      return u"JWC_TEMP.TXT を最後まで読めなかったため変換できません（ＯＫは設定の保存のみ）";
    case TWriteBackProblem::kBlockFigures:
      return u"ブロック図形を含むため変換できません（ＯＫは設定の保存のみ）";
    case TWriteBackProblem::kNone: break;
  }
  return {};
}

std::u16string JwfWithoutRowsMessage(std::u16string_view file_name) {
  return Quoted(file_name) +
         u"には、読み込める線種の設定（LAYTYP_ "
         u"の行）がありませんでした。\r\nプリセットは変更していません。";
}

}  // namespace kx27
