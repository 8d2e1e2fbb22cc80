#pragma once

#include <QString>

// Every text the results window and its list show, in one place.
namespace resultstexts {
inline const QString caption = QStringLiteral("結果");
inline const QString showKey = QStringLiteral("正解を表示");
inline const QString total = QStringLiteral("%1　合計 %2 / %3点");
inline const QString counts = QStringLiteral("正解 %1　不正解 %2　無解答 %3");
inline const QString timeUsed = QStringLiteral("　時間 %1");
inline const QString chartName = QStringLiteral("大問別の得点率");
inline const QString sectionPercent = QStringLiteral("%1 %2%");
inline const QString listName = QStringLiteral("問題別の結果");
inline const QString paneName = QStringLiteral("解説");
inline const QString paneHint =
    QStringLiteral("「正解を表示」にチェックをつけると、選んだ問題の解説が、大問の行では本文の全訳"
                   "と語句がここに表示されます。");
inline const QString paneEmpty = QStringLiteral("この行の解説はありません。");

inline const QString none = QStringLiteral("－");
inline const QString correctSign = QStringLiteral("○");
inline const QString wrongSign = QStringLiteral("×");
inline const QString correctWord = QStringLiteral("正解");
inline const QString wrongWord = QStringLiteral("不正解");
inline const QString unansweredWord = QStringLiteral("無解答");
inline const QString keyWord = QStringLiteral("正解");
inline const QString pointsUnit = QStringLiteral("点");
inline const QString sectionName = QStringLiteral("第%1問");
inline const QString headers[] = {QStringLiteral("問題"), QStringLiteral("解答"),
                                  QStringLiteral("正誤"), QStringLiteral("得点"),
                                  QStringLiteral("前回"), QStringLiteral("見直し"),
                                  QStringLiteral("正解")};
inline const QString gainedSign = QStringLiteral("×→○");
inline const QString lostSign = QStringLiteral("○→×");
inline const QString gainedWords = QStringLiteral("前回は不正解");
inline const QString lostWords = QStringLiteral("前回は正解");
inline const QString flagSign = QStringLiteral("★");
inline const QString flagWord = QStringLiteral("見直し");

// The marked items of the latest attempt.
inline const QString flagged = QStringLiteral("見直し %1問：");
inline const QString flaggedRight = QStringLiteral("正解 %1");
inline const QString flaggedWrong = QStringLiteral("　不正解 %1");
inline const QString flaggedItems = QStringLiteral("（%1）");
inline const QString itemSeparator = QStringLiteral("、");

// The attempts of the run, one row each.
inline const QString attemptsName = QStringLiteral("これまでの解答");
inline const QString attemptHeaders[] = {QStringLiteral("回"), QStringLiteral("時刻"),
                                         QStringLiteral("時間"), QStringLiteral("合計")};
inline const QString attemptNumber = QStringLiteral("%1回目");
inline const QString attemptTime = QStringLiteral("時刻 %1");
inline const QString attemptMinutes = QStringLiteral("時間 %1");
inline const QString attemptTotal = QStringLiteral("合計 %1点");

// The pacing of an exam run with the clock.
inline const QString pacingBarsName = QStringLiteral("大問別の時間");
inline const QString pacingTimelineName = QStringLiteral("解答の時刻（分）");
inline const QString minutes = QStringLiteral("%1分");
inline const QString underAMinute = QStringLiteral("1分未満");
inline const QString planned = QStringLiteral("／計画%1分");
inline const QString plannedSpoken = QStringLiteral("（計画 %1分）");
inline const QString checkPlanned = QStringLiteral("見直し 計画%1分");
inline const QString answeredAt = QStringLiteral("解答した時刻：%1");
inline const QString lastChanged = QStringLiteral("（最後の変更 %1分）");
inline const QString neverAnswered = QStringLiteral("、無解答 %1問");
inline const QString endedAt = QStringLiteral("、%1分で終了");
} // namespace resultstexts
