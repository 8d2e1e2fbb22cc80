#pragma once

#include <QString>

// Every text the exam window shows, in one place.
namespace texts {
inline const QString caption = QStringLiteral("問題 （英語）");
inline const QString gameMenu = QStringLiteral("ゲーム(&G)");
inline const QString exitItem = QStringLiteral("終了(&Q)");
inline const QString clearItem = QStringLiteral("解答を消去(&C)");
inline const QString resultsItem = QStringLiteral("結果(&R)...");
inline const QString retryItem = QStringLiteral("間違えた問題を解き直す(&W)");
inline const QString lengthMenu = QStringLiteral("試験時間(&T)");
// One per length the exam clock offers, in its order.
inline const QString lengthItems[] = {QStringLiteral("80分"), QStringLiteral("104分（1.3倍）"),
                                      QStringLiteral("120分（1.5倍）")};
inline const QString clearTitle = QStringLiteral("解答を消去");
inline const QString clearQuestion = QStringLiteral("すべての解答を消去しますか？");
inline const QString yes = QStringLiteral("はい");
inline const QString no = QStringLiteral("いいえ");
inline const QString paperMenu = QStringLiteral("問題(&P)");
inline const QString changePaperTitle = QStringLiteral("問題の変更");
inline const QString changePaperQuestion =
    QStringLiteral("解答と得点を消去して、%1の問題に替えますか？");
inline const QString helpMenu = QStringLiteral("ヘルプ(&H)");
inline const QString aboutItem = QStringLiteral("バージョン情報(&A)");
inline const QString startButton = QStringLiteral("スタート");
inline const QString clockFrame = QStringLiteral("あと　　　分");
inline const QString scoreButton = QStringLiteral("得　点");
inline const QString average = QStringLiteral("（平均 110.71 点）");
inline const QString scoreUnit = QStringLiteral("点");
inline const QString passRateButton = QStringLiteral("合格率");
// Spoken by screen readers with the clock's and the score's figures.
inline const QString clockName = QStringLiteral("残り時間");
inline const QString scoreName = QStringLiteral("得点");
} // namespace texts
