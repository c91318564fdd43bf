<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BattleEngine</name>
    <message>
        <source>相手がワザを選択しています<byte value="xd"/>
しばらくおまちください。</source>
        <translation>Your opponent is picking a move.<byte value="xd"/>
Please wait a moment.</translation>
    </message>
    <message>
        <source>%1の%2！！</source>
        <translation>%1 uses %2!!</translation>
    </message>
    <message>
        <source>敵の%1の%2！！</source>
        <translation>Enemy %1 uses %2!!</translation>
    </message>
    <message>
        <source>%1&#x3000;が、うまく決まらなかった・・・</source>
        <translation>%1 didn&apos;t quite connect...</translation>
    </message>
    <message>
        <source>敵の%1に%2のダメージ！！</source>
        <translation>%2 damage to enemy %1!!</translation>
    </message>
    <message>
        <source>%1に%2のダメージ！！</source>
        <translation>%2 damage to %1!!</translation>
    </message>
    <message>
        <source>相手が完全に戦闘態勢に入った！！<byte value="xd"/>
もう逃げることは出来ない･･･</source>
        <translation>Your opponent is fully fired up!!<byte value="xd"/>
No running away now...</translation>
    </message>
    <message>
        <source>さて、次はどうしますか？</source>
        <translation>Now, what&apos;s your next move?</translation>
    </message>
    <message>
        <source>敵の%1は、手が出せない！！</source>
        <translation>Enemy %1 can&apos;t make a move!!</translation>
    </message>
    <message>
        <source>どっちとも動けなくなってしまった・・・</source>
        <translation>Neither of you can move any more...</translation>
    </message>
    <message>
        <source>%1は、技が繰り出せなくなった・・・</source>
        <translation>%1 has no moves left to throw...</translation>
    </message>
    <message>
        <source>残念ですが、あなたは寿命がきました。</source>
        <translation>Sorry, but your time is up.</translation>
    </message>
    <message>
        <source>あなたは死にました･･･</source>
        <translation>You have died...</translation>
    </message>
    <message>
        <source>Game Over！！</source>
        <translation>Game Over!!</translation>
    </message>
    <message>
        <source>あきらめないでまたやってね！！</source>
        <translation>Don&apos;t give up - come back and play again!!</translation>
    </message>
    <message>
        <source>%1は、使える技が無くなったようだ・・・！！</source>
        <translation>%1 seems to be out of moves...!!</translation>
    </message>
    <message>
        <source>頭 %1  両腕 %2  両足 %3  胴体 %4<byte value="xd"/>
の経験値を得た！！</source>
        <translation>Experience gained!!<byte value="xd"/>
Head %1  Arms %2  Legs %3  Body %4</translation>
    </message>
    <message>
        <source>%1\を獲得した！！</source>
        <translation>You won %1G!!</translation>
    </message>
    <message numerus="yes">
        <source>%1&#x3000;は&#x3000;%n 回ヒットした！！</source>
        <translation>
            <numerusform>%1 landed %n hit!!</numerusform>
            <numerusform>%1 landed %n hits!!</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BattleTexts</name>
    <message>
        <source>頭(H)</source>
        <translation>Head(H)</translation>
    </message>
    <message>
        <source>両手(A)</source>
        <translation>Arms(A)</translation>
    </message>
    <message>
        <source>両足(R)</source>
        <translation>Legs(L)</translation>
    </message>
    <message>
        <source>胴体(B)</source>
        <translation>Body(B)</translation>
    </message>
    <message>
        <source>   頭(H)&#x3000;STR </source>
        <translation>Head(H) STR </translation>
    </message>
    <message>
        <source>両手(A)&#x3000;STR </source>
        <translation>Arms(A) STR </translation>
    </message>
    <message>
        <source>両足(L)  STR </source>
        <translation>Legs(L) STR </translation>
    </message>
    <message>
        <source>胴体(B)  STR </source>
        <translation>Body(B) STR </translation>
    </message>
    <message>
        <source>(右から順) 頭(H) %1 両腕(A) %2 両足(L) %3 胴体(B) %4</source>
        <translation>(right-to-left) Head(H) %1 Arms(A) %2 Legs(L) %3 Body(B) %4</translation>
    </message>
    <message>
        <source>Ｌｖ.%1 %2</source>
        <translation>Lv.%1 %2</translation>
    </message>
    <message>
        <source>%1ターン</source>
        <translation>Turn%1</translation>
    </message>
    <message>
        <source>HP消費量--%1</source>
        <translation>HP cost--%1</translation>
    </message>
    <message>
        <source>%1 が、でてきた！！<byte value="xd"/>
さあ、%2&#x3000;は、どうする？</source>
        <translation>%1 steps into the ring!!<byte value="xd"/>
So, what will %2 do?</translation>
    </message>
</context>
<context>
    <name>BodyPart</name>
    <message>
        <source>頭</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>両腕</source>
        <translation>Arms</translation>
    </message>
    <message>
        <source>両脚</source>
        <translation>Legs</translation>
    </message>
    <message>
        <source>胴体</source>
        <translation>Body</translation>
    </message>
</context>
<context>
    <name>BoutRecord</name>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>The file breaks off too soon</translation>
    </message>
    <message>
        <source>行が長すぎます</source>
        <translation>A line is too long</translation>
    </message>
    <message>
        <source>行の語が多すぎます</source>
        <translation>A line has too many words</translation>
    </message>
    <message>
        <source>UTF-8 の文字ではありません</source>
        <translation>Not UTF-8 text</translation>
    </message>
    <message>
        <source>「%1」の行のはずです</source>
        <translation>Expected the &quot;%1&quot; line here</translation>
    </message>
    <message>
        <source>数「%1」が正しくありません</source>
        <translation>The number &quot;%1&quot; is wrong</translation>
    </message>
    <message>
        <source>文字列が正しくありません</source>
        <translation>A text in it is wrong</translation>
    </message>
    <message>
        <source>リプレイファイルではありません</source>
        <translation>Not a replay file</translation>
    </message>
    <message>
        <source>新しい版のゲームで記録されたリプレイです（版 %1）</source>
        <translation>Recorded by a newer version of the game (version %1)</translation>
    </message>
    <message>
        <source>「network」の値が正しくありません</source>
        <translation>The &quot;network&quot; value is wrong</translation>
    </message>
    <message>
        <source>記録が長すぎます</source>
        <translation>The record is too long</translation>
    </message>
    <message>
        <source>乱数の記録が正しくありません</source>
        <translation>The record of random draws is wrong</translation>
    </message>
    <message>
        <source>ワザの選択の記録が正しくありません</source>
        <translation>The record of a move choice is wrong</translation>
    </message>
    <message>
        <source>ワザの番号が正しくありません</source>
        <translation>A move number is wrong</translation>
    </message>
    <message>
        <source>知らない行です</source>
        <translation>Unknown line</translation>
    </message>
    <message>
        <source>勝敗の記録が正しくありません</source>
        <translation>The record of the result is wrong</translation>
    </message>
    <message>
        <source>中身が書き換えられています</source>
        <translation>The contents have been tampered with</translation>
    </message>
    <message>
        <source>終わりのあとに続きがあります</source>
        <translation>There is more after the end</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too big</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>モフリンＧＰ</source>
        <translation>Mofurin GP</translation>
    </message>
    <message>
        <source>質問</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
</context>
<context>
    <name>Fighter</name>
    <message>
        <source>ニャーポン</source>
        <translation>Meowpon</translation>
    </message>
    <message>
        <source>ジューンハリー</source>
        <translation>June Harry</translation>
    </message>
    <message>
        <source>ウンディーネ</source>
        <translation>Undine</translation>
    </message>
    <message>
        <source>春ウサギ</source>
        <translation>Springbun</translation>
    </message>
    <message>
        <source>パチンコ玉</source>
        <translation>Pinball</translation>
    </message>
    <message>
        <source>ムーンスター</source>
        <translation>Moonstar</translation>
    </message>
    <message>
        <source>ジャンヌ</source>
        <translation>Jeanne</translation>
    </message>
    <message>
        <source>ミニドラ</source>
        <translation>Minidrake</translation>
    </message>
    <message>
        <source>チュン子</source>
        <translation>Chirpy</translation>
    </message>
    <message>
        <source>マジカルポット</source>
        <translation>Magic Pot</translation>
    </message>
    <message>
        <source>植物マシーン</source>
        <translation>Plantbot</translation>
    </message>
    <message>
        <source>凶悪殺人犯</source>
        <translation>Cutthroat</translation>
    </message>
    <message>
        <source>ダミー</source>
        <translation>Dummy</translation>
    </message>
    <message>
        <source>サイコ少女</source>
        <translation>Psy Girl</translation>
    </message>
    <message>
        <source>ナミ</source>
        <translation>Nami</translation>
    </message>
    <message>
        <source>ハルコ</source>
        <translation>Haruko</translation>
    </message>
    <message>
        <source>１．ジャンヌ</source>
        <translation>1. Jeanne</translation>
    </message>
    <message>
        <source>ジャンヌ－－－（ノーマル）ドワーフ族</source>
        <translation>Jeanne --- (Normal) Dwarf folk</translation>
    </message>
    <message>
        <source>いつでも平和なドワーフ族のうちの女の子の一人。</source>
        <translation>One of the girls of the ever-peaceful Dwarf folk.</translation>
    </message>
    <message>
        <source>手が器用で、強力なパンチを繰り出せる。</source>
        <translation>Nimble-fingered, she throws a mighty punch.</translation>
    </message>
    <message>
        <source>２．ミニドラ</source>
        <translation>2. Minidrake</translation>
    </message>
    <message>
        <source>ミニドラ－－－（イージー）ドラゴン族</source>
        <translation>Minidrake --- (Easy) Dragon clan</translation>
    </message>
    <message>
        <source>ほとんどの国で伝説の生き物とされてきた一族のまつえい。</source>
        <translation>Heir of a clan most lands call a mere legend.</translation>
    </message>
    <message>
        <source>皮膚は硬く、突進など体の攻撃は強力。</source>
        <translation>Thick-skinned; body attacks like Charge hit hard.</translation>
    </message>
    <message>
        <source>３．春ウサギ</source>
        <translation>3. Springbun</translation>
    </message>
    <message>
        <source>春ウサギ－－－（ハード&#x3000;）さすらい兎</source>
        <translation>Springbun --- (Hard) Wandering hare</translation>
    </message>
    <message>
        <source>さすらうのが好きな好奇心旺盛の兎。</source>
        <translation>A curious rabbit who just loves to roam.</translation>
    </message>
    <message>
        <source>脚が異常発達しており、脚の過激な攻撃が得意</source>
        <translation>Freakishly strong legs: wild kicks are his thing</translation>
    </message>
    <message>
        <source>４．チュン子</source>
        <translation>4. Chirpy</translation>
    </message>
    <message>
        <source>チュン子－－－（超ハード）小鳥一族</source>
        <translation>Chirpy --- (Super Hard) Songbird clan</translation>
    </message>
    <message>
        <source>色が鮮やかと言われる平和ボケした小鳥の王子。</source>
        <translation>A bright-feathered bird prince, gone soft from peace.</translation>
    </message>
    <message>
        <source>頭を器用に使い、猛烈なつっつき攻撃を繰り出す。</source>
        <translation>Clever with his head, he pecks like fury.</translation>
    </message>
</context>
<context>
    <name>FighterName</name>
    <message>
        <source>名前に &quot; は使えません。<byte value="xd"/>
セーブや殿堂の記録がこわれてしまうためです。</source>
        <translation>Names can&apos;t contain &quot;.<byte value="xd"/>
It would break saves and the Hall of Fame records.</translation>
    </message>
    <message>
        <source>名前に使えない文字が入っています。<byte value="xd"/>
セーブや殿堂の記録に書けない文字です。</source>
        <translation>The name has a character that can&apos;t be used.<byte value="xd"/>
Saves and the Hall of Fame records can&apos;t hold it.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>激戦地区</source>
        <translation>Battle Zone</translation>
    </message>
    <message>
        <source>リング</source>
        <translation>Ring</translation>
    </message>
    <message>
        <source>打撃の絵</source>
        <translation>Hit effect</translation>
    </message>
    <message>
        <source>ダメージ</source>
        <translation>Damage</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>あいて</source>
        <translation>Opponent</translation>
    </message>
    <message>
        <source>%1の強さ</source>
        <translation>%1&apos;s strength</translation>
    </message>
    <message>
        <source>あいての必殺技</source>
        <translation>Opponent&apos;s moves</translation>
    </message>
    <message>
        <source>HP消費量--0</source>
        <translation>HP cost--0</translation>
    </message>
    <message>
        <source>あなたの必殺技（最大８個）</source>
        <translation>Your moves (max 8)</translation>
    </message>
    <message>
        <source>これでＯＫ</source>
        <translation>Go!</translation>
    </message>
    <message>
        <source>敵前逃亡</source>
        <translation>Run Away</translation>
    </message>
    <message>
        <source>リプレイ</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>速さ</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>技が決まってません！</source>
        <translation>You haven&apos;t picked a move!</translation>
    </message>
    <message>
        <source>もう勝てないので逃げた。</source>
        <translation>No chance of winning, so you ran away.</translation>
    </message>
    <message>
        <source>ＭＩＳＳ</source>
        <translation>MISS</translation>
    </message>
    <message>
        <source>このリプレイは記録どおりに再生できませんでした。<byte value="xd"/>
別の版のゲームで記録されたのかもしれません。</source>
        <translation>This replay didn&apos;t play back as recorded.<byte value="xd"/>
It may come from another version of the game.</translation>
    </message>
</context>
<context>
    <name>Form11</name>
    <message>
        <source>伝送ボックス</source>
        <translation>Link Box</translation>
    </message>
    <message>
        <source>伝送のようす</source>
        <translation>Link log</translation>
    </message>
    <message>
        <source>やめる</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>伝送ボックス-%1</source>
        <translation>Link Box - %1</translation>
    </message>
    <message>
        <source>接続をやめました</source>
        <translation>Connection cancelled</translation>
    </message>
    <message>
        <source>相手を待っています（%1秒）</source>
        <translation>Waiting for the other player (%1 s)</translation>
    </message>
    <message>
        <source>招待コード</source>
        <translation>Invitation code</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>オープニング</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>タイトルの絵</source>
        <translation>Title picture</translation>
    </message>
    <message>
        <source>モフリン&#x3000;ＧＰ</source>
        <translation>Mofurin GP</translation>
    </message>
    <message>
        <source>アレと似てるなんて言わないでの章</source>
        <translation>The Don&apos;t-Say-It&apos;s-a-Knockoff Chapter</translation>
    </message>
    <message>
        <source>制作&#x3000;モフリンＧＰ開発チーム&#x3000;２０２６</source>
        <translation>Made by the Mofurin GP Team, 2026</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>はじめから</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>ロード</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>設定…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>リプレイを見る…</source>
        <translation>Watch Replays…</translation>
    </message>
    <message>
        <source>へるぷ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ｆ１キーを押してみてください</source>
        <translation>Try pressing the F1 key</translation>
    </message>
    <message>
        <source>一度クリアしたので好きなキャラが選べます<byte value="xd"/>
全員集合モードで遊びますか？</source>
        <translation>You&apos;ve cleared the game, so you can pick any fighter.<byte value="xd"/>
Play in All-Stars mode?</translation>
    </message>
    <message>
        <source>また会おう</source>
        <translation>See you again!</translation>
    </message>
    <message>
        <source>おわる</source>
        <translation>Goodbye</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>名前のデフォルト→</source>
        <translation>Default name →</translation>
    </message>
    <message>
        <source>モフリン選択</source>
        <translation>Pick a Mofurin</translation>
    </message>
    <message>
        <source>キャラの説明</source>
        <translation>Fighter description</translation>
    </message>
    <message>
        <source>選ぶキャラ自体をクリックしてください</source>
        <translation>Click the fighter you want</translation>
    </message>
    <message>
        <source>これにする</source>
        <translation>Choose This</translation>
    </message>
    <message>
        <source>キーボードの１～４でも選べます。名前を入れなければ、キャラの名前になります。</source>
        <translation>Keys 1-4 choose too. Leave the name empty to use the fighter&apos;s own name.</translation>
    </message>
    <message>
        <source>%1&#x3000;でよいですか？</source>
        <translation>Go with %1?</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>ステータス</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>コイン</source>
        <translation>Coin</translation>
    </message>
    <message>
        <source>トロフィー</source>
        <translation>Trophy</translation>
    </message>
    <message>
        <source>勝敗成績(トーナメント)</source>
        <translation>Record (Tournament)</translation>
    </message>
    <message>
        <source>必殺技MAX8</source>
        <translation>Moves (max 8)</translation>
    </message>
    <message>
        <source>HP消費量--0</source>
        <translation>HP cost--0</translation>
    </message>
    <message>
        <source>ダミーの強さ</source>
        <translation>Dummy strength</translation>
    </message>
    <message>
        <source>メッセージスピード</source>
        <translation>Message Speed</translation>
    </message>
    <message>
        <source>攻撃アクションの有無</source>
        <translation>Attack animations</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>トーナメント</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <source>ダミーと対決</source>
        <translation>Fight the Dummy</translation>
    </message>
    <message>
        <source>ＨＰ回復</source>
        <translation>Heal HP</translation>
    </message>
    <message>
        <source>ＳＡＶＥ</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>殿堂部屋</source>
        <translation>Hall of Fame</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>ネットバトル</source>
        <translation>Net Battle</translation>
    </message>
    <message>
        <source>ホスト</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>ホストのIP</source>
        <translation>Host&apos;s IP</translation>
    </message>
    <message>
        <source>さがす</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>ヘルプコマンド・・・・・Ｆ１で見れるよ</source>
        <translation>Help.....just press F1!</translation>
    </message>
    <message>
        <source>詳しくはヘルプで…ホストのIPを記入してね<byte value="xd"/>
自分のIP：%1</source>
        <translation>See Help for more. Type the host&apos;s IP here<byte value="xd"/>
My IP: %1</translation>
    </message>
    <message>
        <source>生命力&#x3000;%1/%2</source>
        <translation>Life %1/%2</translation>
    </message>
    <message>
        <source>Lv.%1&#x3000;%2</source>
        <translation>Lv.%1 %2</translation>
    </message>
    <message>
        <source>残りHP&#x3000;%1</source>
        <translation>HP left %1</translation>
    </message>
    <message>
        <source>攻撃力&#x3000;%1</source>
        <translation>Attack %1</translation>
    </message>
    <message>
        <source>防御力&#x3000;%1</source>
        <translation>Defence %1</translation>
    </message>
    <message>
        <source>所持金&#x3000;%1\</source>
        <translation>Money %1G</translation>
    </message>
    <message>
        <source>登板数 %1<byte value="xd"/>
白星    %2/%3<byte value="xd"/>
黒星    %4</source>
        <translation>Bouts   %1<byte value="xd"/>
Wins    %2/%3<byte value="xd"/>
Losses  %4</translation>
    </message>
    <message>
        <source>ＲＡＮＫ---%1</source>
        <translation>RANK---%1</translation>
    </message>
    <message>
        <source>メッセージスピード%1</source>
        <translation>Message Speed %1</translation>
    </message>
    <message>
        <source>３８回戦目からは使えないことになっています。</source>
        <translation>From bout 38 on, that&apos;s off limits.</translation>
    </message>
    <message>
        <source>SAVEが終わりました。</source>
        <translation>SAVE complete.</translation>
    </message>
    <message>
        <source>タイトルに戻ります。いい？</source>
        <translation>Back to the title. OK?</translation>
    </message>
    <message>
        <source>よく発見しました。<byte value="xd"/>
ここが謎のウラ技です！</source>
        <translation>Well spotted!<byte value="xd"/>
You found the secret trick!</translation>
    </message>
    <message>
        <source>ここを見つけたあなたには命の素を<byte value="xd"/>
1000Ｇであげちゃいます。</source>
        <translation>As a reward for finding it, I&apos;ll let you have<byte value="xd"/>
an Essence of Life for just 1000G.</translation>
    </message>
    <message>
        <source>1000Ｇで買います？</source>
        <translation>Buy it for 1000G?</translation>
    </message>
    <message>
        <source>毎度ー！</source>
        <translation>Pleasure doing business!</translation>
    </message>
    <message>
        <source>あら、金欠ですか？<byte value="xd"/>
では、また今度。</source>
        <translation>Oh, short on cash?<byte value="xd"/>
Maybe next time, then.</translation>
    </message>
    <message>
        <source>でも、あなたには必要ないっスね</source>
        <translation>But looks like you don&apos;t need it, huh</translation>
    </message>
    <message>
        <source>バイバーイ</source>
        <translation>Bye-byeee!</translation>
    </message>
    <message>
        <source>接続中はホストを変えられません</source>
        <translation>Host is fixed while linked</translation>
    </message>
    <message>
        <source>セーブしていないデータは消えてしまいます。</source>
        <translation>Anything you haven&apos;t saved will be lost.</translation>
    </message>
    <message>
        <source>招待コードを作る</source>
        <translation>Invite</translation>
    </message>
    <message>
        <source>インターネット対戦には待ち合わせ場所のサーバーが要ります。<byte value="xd"/>
タイトル画面の「設定」で、待ち合わせ場所（mqtt://…）を入れてください。</source>
        <translation>Internet bouts need a meeting-place server.<byte value="xd"/>
Enter one (mqtt://…) under Meeting place in Settings on the title screen.</translation>
    </message>
    <message>
        <source>IPか招待コード</source>
        <translation>IP or invitation code</translation>
    </message>
</context>
<context>
    <name>Form5</name>
    <message>
        <source>%1\払う</source>
        <translation>Pay %1G</translation>
    </message>
    <message>
        <source>回復屋</source>
        <translation>Healing Shop</translation>
    </message>
    <message>
        <source>回復屋の主人</source>
        <translation>Shopkeeper</translation>
    </message>
    <message>
        <source>回復したいところを選択して回復数をおして、決定を押してください。</source>
        <translation>Pick the part to heal, enter the points, and press Pay.</translation>
    </message>
    <message>
        <source>頭*4&#x3000;&#x3000;両腕*5&#x3000;&#x3000;両脚*7&#x3000;&#x3000;胴体*3&#x3000;(\)</source>
        <translation>Head*4   Arms*5   Legs*7   Body*3  (G)</translation>
    </message>
    <message>
        <source>回復するところ</source>
        <translation>Part to heal</translation>
    </message>
    <message>
        <source>回復数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>帰る</source>
        <translation>Leave</translation>
    </message>
    <message>
        <source>演算結果&#x3000;HP+ポイント＝結果&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;手持ち金の演算&#x3000;所持金－代金＝結果</source>
        <translation>Result: HP + points = total      Money - price = change</translation>
    </message>
    <message>
        <source>所持金</source>
        <translation>Money</translation>
    </message>
    <message>
        <source>所持金：1000\</source>
        <translation>Money: 1000G</translation>
    </message>
    <message>
        <source>↑↓キーで部分を変えて、Enterキーで払えます。マイナスの数で売れます。</source>
        <translation>↑↓ change the part, Enter pays. Negative numbers sell.</translation>
    </message>
    <message>
        <source>その数は大きすぎて計算できないっす</source>
        <translation>That number&apos;s too big to work out, boss</translation>
    </message>
    <message>
        <source>所持金：%1\</source>
        <translation>Money: %1G</translation>
    </message>
    <message>
        <source>そんな数はあつかえないっす！<byte value="xd"/>
もっと小さな数にして下さいっす</source>
        <translation>Can&apos;t handle a number like that, boss!<byte value="xd"/>
Go smaller, would ya?</translation>
    </message>
    <message>
        <source>これ以上減らすとこの部分は使えなくなるっす<byte value="xd"/>
お金のために身を売らないで下さいっす</source>
        <translation>Any lower and that part won&apos;t work, boss.<byte value="xd"/>
Don&apos;t sell your body for money, eh?</translation>
    </message>
    <message>
        <source>これ以上の増強は無理だ！！<byte value="xd"/>
身の程を知るんだ</source>
        <translation>No more boosting than that!!<byte value="xd"/>
Know your limits!</translation>
    </message>
    <message>
        <source>金がたらんっす！！</source>
        <translation>You&apos;re short on cash, boss!!</translation>
    </message>
    <message>
        <source>本当にいいっすね？</source>
        <translation>You sure about this, boss?</translation>
    </message>
    <message>
        <source>回復</source>
        <translation>Heal</translation>
    </message>
    <message>
        <source>またきて欲しいっす！</source>
        <translation>Come again, boss!</translation>
    </message>
    <message>
        <source>HP=%1+%2=%3<byte value="xd"/>
%4-%5=%6\</source>
        <translation>HP=%1+%2=%3<byte value="xd"/>
%4-%5=%6G</translation>
    </message>
</context>
<context>
    <name>Form6</name>
    <message>
        <source>新しい技を覚えたぞ！！</source>
        <translation>New Move Learned!!</translation>
    </message>
    <message>
        <source>覚えた技</source>
        <translation>Move learned</translation>
    </message>
    <message>
        <source>何を忘れますか？（８個の中からどれか）</source>
        <translation>Which move will you forget? (one of the 8)</translation>
    </message>
    <message>
        <source>HP消費量--0</source>
        <translation>HP cost--0</translation>
    </message>
    <message>
        <source>これで良し</source>
        <translation>That&apos;s It</translation>
    </message>
    <message>
        <source>ほかの技を覚える</source>
        <translation>Learn Another</translation>
    </message>
    <message>
        <source>もう覚えない</source>
        <translation>No More</translation>
    </message>
    <message>
        <source>今覚えた技<byte value="xd"/>
%1<byte value="xd"/>
技の消費量：%2</source>
        <translation>New move<byte value="xd"/>
%1<byte value="xd"/>
HP cost: %2</translation>
    </message>
    <message>
        <source>覚え直すことになります</source>
        <translation><byte value="xd"/>
You already know it: it will be learnt again.</translation>
    </message>
    <message>
        <source>本当にこれでいいですか？</source>
        <translation>Are you really sure?</translation>
    </message>
    <message>
        <source>%1&#x3000;は<byte value="xd"/>
%2 をすでに覚えているので、<byte value="xd"/>
%2 をもう一回覚え直します。</source>
        <translation>%1<byte value="xd"/>
already knows %2,<byte value="xd"/>
so learns %2 all over again.</translation>
    </message>
    <message>
        <source>%1 は<byte value="xd"/>
%2 を忘れ、<byte value="xd"/>
%3 を覚えた。</source>
        <translation>%1<byte value="xd"/>
forgot %2<byte value="xd"/>
and learned %3!</translation>
    </message>
    <message>
        <source>もう覚えません｡いいですか？</source>
        <translation>You won&apos;t learn anything. OK?</translation>
    </message>
</context>
<context>
    <name>Form7</name>
    <message>
        <source>{name}は、次で勝つと</source>
        <translation>{name} is just one win away from</translation>
    </message>
    <message>
        <source>決勝トーナメントに参加することができる。</source>
        <translation>a place in the final tournament.</translation>
    </message>
    <message>
        <source>このトーナメントではトレーニング、回復が</source>
        <translation>In that tournament, training and healing</translation>
    </message>
    <message>
        <source>使用できなくなります。</source>
        <translation>are off limits.</translation>
    </message>
    <message>
        <source>この次で強くなっておいた方がいいです。</source>
        <translation>Better toughen up before the next bout.</translation>
    </message>
    <message>
        <source>以上、アドバイスでした。がんばれよ。</source>
        <translation>That&apos;s all the advice you get. Go get &apos;em!</translation>
    </message>
    <message>
        <source>次は決勝戦。</source>
        <translation>Next up: the final.</translation>
    </message>
    <message>
        <source>？？？「くう･･･もうここまで来たのか････</source>
        <translation>???: &quot;Grr... So you&apos;ve made it this far....</translation>
    </message>
    <message>
        <source>本気でいかなければなるまい･･･</source>
        <translation>Looks like I&apos;ll have to get serious...</translation>
    </message>
    <message>
        <source>待ってろよ･･･  {name}！</source>
        <translation>You just wait... {name}!&quot;</translation>
    </message>
    <message>
        <source>やっと戦いに勝利！ 優勝した！</source>
        <translation>Victory at last! You&apos;re the champion!</translation>
    </message>
    <message>
        <source>ふるさとのドワーフ国に帰ってきた。</source>
        <translation>Home again, to the land of the Dwarves.</translation>
    </message>
    <message>
        <source>{name}「あら？なんか様子がおかしいわねえ･･･</source>
        <translation>{name}: &quot;Oh? Something&apos;s different around here...</translation>
    </message>
    <message>
        <source>お祭りなのかしら？」</source>
        <translation>Is there a festival on?&quot;</translation>
    </message>
    <message>
        <source>実はそうだったのだ。</source>
        <translation>And indeed there was.</translation>
    </message>
    <message>
        <source>それもここの王様、この戦いに勝利したら</source>
        <translation>What&apos;s more, by the king&apos;s own decree, the winner</translation>
    </message>
    <message>
        <source>王女になる権利があったのである。</source>
        <translation>had earned the right to become his princess!</translation>
    </message>
    <message>
        <source>王「{name}ー！どこだーい？</source>
        <translation>King: &quot;{name}! Where are youuu?</translation>
    </message>
    <message>
        <source>僕が抱き締めてあげるよーん」</source>
        <translation>Come here for a great big hug~!&quot;</translation>
    </message>
    <message>
        <source>その頃、すでに{name}は</source>
        <translation>But by then, {name} had already</translation>
    </message>
    <message>
        <source>新たな旅を始めようとしていたのだった･･･</source>
        <translation>set off on a brand-new journey...</translation>
    </message>
    <message>
        <source>なんとか戦いに勝利！ 優勝した！</source>
        <translation>Somehow you pulled it off! Champion!</translation>
    </message>
    <message>
        <source>ふるさとのドラゴン国に帰ってきた。</source>
        <translation>Home again, to the land of the Dragons.</translation>
    </message>
    <message>
        <source>長「{name}をたたえて、新たな長にする！」</source>
        <translation>Chief: &quot;All hail {name}, our new chief!&quot;</translation>
    </message>
    <message>
        <source>････と、いうことで長になった。</source>
        <translation>....And so a new chief was made.</translation>
    </message>
    <message>
        <source>･･････････だったんだけど･･･</source>
        <translation>..........That was the plan, anyway...</translation>
    </message>
    <message>
        <source>なにせ生存危機になっているドラゴン族。</source>
        <translation>The Dragon clan, you see, is dying out.</translation>
    </message>
    <message>
        <source>子供すら作れないほどオスだらけだったのだ。</source>
        <translation>So many males, no one left to have babies with.</translation>
    </message>
    <message>
        <source>仕方なく、{name}は、ブルードラゴンの</source>
        <translation>With no other choice, {name} is now dating</translation>
    </message>
    <message>
        <source>つきあっているのだが、属性が違うことがあって</source>
        <translation>a Blue Dragon, but their elements just don&apos;t mix,</translation>
    </message>
    <message>
        <source>{name}は受難が絶えないという･･･</source>
        <translation>and {name}&apos;s troubles, they say, never end...</translation>
    </message>
    <message>
        <source>戦いに勝利！ 優勝した！</source>
        <translation>Victory! You&apos;re the champion!</translation>
    </message>
    <message>
        <source>{name}は行く当ても無いのでふらふらしていた。</source>
        <translation>With nowhere to go, {name} was drifting about.</translation>
    </message>
    <message>
        <source>と、その時、そこには色っぽい雌ウサギが･･･</source>
        <translation>When, lo and behold, along came a sultry doe...</translation>
    </message>
    <message>
        <source>{name}「どですか？一緒にお茶でも」</source>
        <translation>{name}: &quot;How &apos;bout it? Fancy a cup of tea?&quot;</translation>
    </message>
    <message>
        <source>一緒に緑茶をすすりつついろいろ語り合い････</source>
        <translation>They sipped green tea and talked and talked....</translation>
    </message>
    <message>
        <source>なんと夜もともにしたのだった</source>
        <translation>and, would you believe it, spent the night together too</translation>
    </message>
    <message>
        <source>ことが終わってから････</source>
        <translation>When it was all over....</translation>
    </message>
    <message>
        <source>{name}「俺はいくぜ」</source>
        <translation>{name}: &quot;Well, I&apos;ll be off.&quot;</translation>
    </message>
    <message>
        <source>雌ウサギ「ひどい！ 私のカラダが目的だったのね！」</source>
        <translation>Doe: &quot;You cad! You only wanted my body!&quot;</translation>
    </message>
    <message>
        <source>･･････と、まあそんな感じに別れ、</source>
        <translation>......So they parted, more or less like that,</translation>
    </message>
    <message>
        <source>{name}は、またあてのない旅を続けるのだった･･･</source>
        <translation>and {name} wandered on, going nowhere in particular...</translation>
    </message>
    <message>
        <source>やっとの思いで戦いに勝利！ 優勝した！</source>
        <translation>A hard-won victory at last! You&apos;re the champion!</translation>
    </message>
    <message>
        <source>自分の国に帰ってきた。</source>
        <translation>Home again, to his own kingdom.</translation>
    </message>
    <message>
        <source>帰るころには、すごいばか騒ぎになっており</source>
        <translation>By the time he got back, a wild party was raging,</translation>
    </message>
    <message>
        <source>もう無茶苦茶に祝った。</source>
        <translation>and everyone celebrated like crazy.</translation>
    </message>
    <message>
        <source>そしていいなづけと結婚したのであった。</source>
        <translation>Then he married his betrothed.</translation>
    </message>
    <message>
        <source>そして、この国の平和ボケは悪化し･･･</source>
        <translation>And the kingdom grew dozier with peace than ever...</translation>
    </message>
    <message>
        <source>そこには戦力低下に困り果てる</source>
        <translation>And there, fretting over his fading fighting form,</translation>
    </message>
    <message>
        <source>{name}の姿があったのでした。</source>
        <translation>you&apos;d find poor {name}.</translation>
    </message>
    <message>
        <source>現役 ４２Ｋｇ</source>
        <translation>In his prime: 42 kg</translation>
    </message>
    <message>
        <source>１０年後 １２５Ｋｇ････</source>
        <translation>10 years later: 125 kg....</translation>
    </message>
    <message>
        <source>{name}は、とうとう優勝した！！</source>
        <translation>{name} is the champion at last!!</translation>
    </message>
    <message>
        <source>「とうとう優勝よ！！これで…これで…</source>
        <translation>&quot;I won, I finally won!! Now... now...</translation>
    </message>
    <message>
        <source>猫人間になるための費用がもらえるわァ!!」</source>
        <translation>I can pay to become a cat-person!!&quot;</translation>
    </message>
    <message>
        <source>と、スタッフ片付けの準備に入っているのを見る</source>
        <translation>she cries, as the staff start packing up.</translation>
    </message>
    <message>
        <source>「あら？賞品かなにかは?」</source>
        <translation>&quot;Huh? Isn&apos;t there a prize or something?&quot;</translation>
    </message>
    <message>
        <source>この大会でもらえるのは名誉と栄光だけだよ。</source>
        <translation>This tournament pays in honour and glory. That&apos;s it.</translation>
    </message>
    <message>
        <source>がちょおおおおん！！…</source>
        <translation>Noooooooo way!!...</translation>
    </message>
    <message>
        <source>そして、その日未成年なのに居酒屋で</source>
        <translation>And that night, underage as she was, in a pub,</translation>
    </message>
    <message>
        <source>泣きながら店主と語っている</source>
        <translation>sobbing her heart out to the landlord,</translation>
    </message>
    <message>
        <source>一途なおもいでとうとう優勝！！</source>
        <translation>Pure devotion wins the day: champion at last!!</translation>
    </message>
    <message>
        <source>{name}「おにいちゃんはどこかしら…」</source>
        <translation>{name}: &quot;Now where&apos;s my big brother got to...&quot;</translation>
    </message>
    <message>
        <source>と、とぼとぼ帰り行く春ウサギの姿が…</source>
        <translation>And there goes Springbun, trudging off home...</translation>
    </message>
    <message>
        <source>「おにいちゃあん！！」がばっ！！</source>
        <translation>&quot;Big brotheeer!!&quot; *GLOMP!!*</translation>
    </message>
    <message>
        <source>「うっ！？&#x3000;{name}じゃないか…」</source>
        <translation>&quot;Oof!? {name}, is that you...&quot;</translation>
    </message>
    <message>
        <source>「おにいちゃん…なんでいきなり出ていったのよ…</source>
        <translation>&quot;Big brother... why did you just up and leave...</translation>
    </message>
    <message>
        <source>すごく心配したんだから…&#x3000;おうちかえろっ」</source>
        <translation>I was worried sick... Let&apos;s go home!&quot;</translation>
    </message>
    <message>
        <source>「う…え…あ…そうだな…帰ろうか…（汗」</source>
        <translation>&quot;Uh... er... ah... right... let&apos;s go home... (sweat)&quot;</translation>
    </message>
    <message>
        <source>「ふふふ。もう離さないんだからっ♪」</source>
        <translation>&quot;Hee hee. I&apos;m never letting you go again♪&quot;</translation>
    </message>
    <message>
        <source>で･･数日後…</source>
        <translation>And so... a few days later...</translation>
    </message>
    <message>
        <source>「おにいちゃんどこいったの～～？？」</source>
        <translation>&quot;Big brother, where&apos;d you go~~??&quot;</translation>
    </message>
    <message>
        <source>{name}、春ウサギの置手紙を見つける。</source>
        <translation>{name} finds a note Springbun left behind.</translation>
    </message>
    <message>
        <source>俺は旅に出る。後はヨロシクなっ！！</source>
        <translation>I&apos;m off on my travels. Hold the fort!!</translation>
    </message>
    <message>
        <source>{name}、帰ったらまた遊ぼうな</source>
        <translation>{name}, let&apos;s hang out when I&apos;m back</translation>
    </message>
    <message>
        <source>「・・・・・・またおにいちゃんがぁ～～～！！」</source>
        <translation>&quot;......He&apos;s done it agaaain~~~!!&quot;</translation>
    </message>
    <message>
        <source>親に報告しに行く{name}であった…</source>
        <translation>And off {name} went to tell Mum and Dad...</translation>
    </message>
    <message>
        <source>おめでとう！！</source>
        <translation>Congratulations!!</translation>
    </message>
    <message>
        <source>まさかあなたがここまでするとは思わなかった････</source>
        <translation>Never thought you&apos;d actually make it this far....</translation>
    </message>
    <message>
        <source>いやー、拍手拍手、パチパチパチ！(^O^)</source>
        <translation>Wow, a big round of applause! Clap clap clap! (^O^)</translation>
    </message>
    <message>
        <source>では、スタッフ紹介といきたいのですが････</source>
        <translation>Now I&apos;d love to introduce the staff, but....</translation>
    </message>
    <message>
        <source>シナリオ・イラスト・パラメータ等････</source>
        <translation>story, art, stats and the rest....</translation>
    </message>
    <message>
        <source>ぜーんぶ&#x3000;私&#x3000;ぽむる&#x3000;ぺけた&#x3000;です。</source>
        <translation>were aaall done by me, Pomuru Peketa.</translation>
    </message>
    <message>
        <source>ここまで作るので結構かかっちゃったんです</source>
        <translation>Getting it this far took me quite a while</translation>
    </message>
    <message>
        <source>それから････このゲームをやってくれた皆さんに････</source>
        <translation>And.... to everyone who played this game....</translation>
    </message>
    <message>
        <source>ＴＨＡＮＫ&#x3000;ＹＯＵ&#x3000;ＦＯＲ&#x3000;ＰＬＡＹＩＮＧ&#x3000;ＧＡＭＥ！！</source>
        <translation>THANK YOU FOR PLAYING!!</translation>
    </message>
    <message>
        <source>ありがとうございましたー！</source>
        <translation>Thanks a million!</translation>
    </message>
    <message>
        <source>ＰＲＯＤＵＣＥＤ&#x3000;ＢＹ&#x3000;モフリンＧＰ 開発チーム</source>
        <translation>PRODUCED BY THE MOFURIN GP TEAM</translation>
    </message>
    <message>
        <source>戦った回数：%1<byte value="xd"/>
白星    %2/%3<byte value="xd"/>
黒星    %4</source>
        <translation>Bouts fought: %1<byte value="xd"/>
Wins    %2/%3<byte value="xd"/>
Losses  %4</translation>
    </message>
    <message>
        <source>メッセージBOX</source>
        <translation>Message Box</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>元に戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>エンディングの絵</source>
        <translation>Ending picture</translation>
    </message>
    <message>
        <source>物語の絵</source>
        <translation>Story picture</translation>
    </message>
    <message>
        <source>殿堂システムに記録しますか？</source>
        <translation>Enter your fighter in the Hall of Fame?</translation>
    </message>
</context>
<context>
    <name>Form8</name>
    <message>
        <source>モフリンを選ぼう！！全員集合</source>
        <translation>Pick Your Mofurin!! All-Stars</translation>
    </message>
    <message>
        <source>まえ</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>うしろ</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>モフリンＮＡＭＥ</source>
        <translation>MOFURIN NAME</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>これでオッケー</source>
        <translation>Okey-dokey!</translation>
    </message>
    <message>
        <source>%1（まえ）</source>
        <translation>%1 (front)</translation>
    </message>
    <message>
        <source>%1（うしろ）</source>
        <translation>%1 (back)</translation>
    </message>
    <message>
        <source>モフリンネーム－%1</source>
        <translation>Mofurin Name: %1</translation>
    </message>
    <message>
        <source>%1でいいですか？</source>
        <translation>Is %1 OK?</translation>
    </message>
</context>
<context>
    <name>Form9</name>
    <message>
        <source>殿堂データ（%1）を書き込めませんでした。<byte value="xd"/>
ファイルは前のままです。</source>
        <translation>Couldn&apos;t write the Hall of Fame records (%1).<byte value="xd"/>
The file is as it was.</translation>
    </message>
    <message>
        <source>黄金の殿堂</source>
        <translation>Golden Hall of Fame</translation>
    </message>
    <message>
        <source>殿堂の絵</source>
        <translation>Hall of Fame picture</translation>
    </message>
    <message>
        <source>王者の殿堂</source>
        <translation>Hall of Champions</translation>
    </message>
    <message>
        <source>&#x3000;１代目チャンピオン&#x3000;</source>
        <translation> Champion No. 1 </translation>
    </message>
    <message>
        <source>何代目のチャンピオン</source>
        <translation>Which champion</translation>
    </message>
    <message>
        <source>もういい</source>
        <translation>That&apos;ll Do</translation>
    </message>
    <message>
        <source>殿堂データを消す</source>
        <translation>Erase Records</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>%1（まえ）</source>
        <translation>%1 (front)</translation>
    </message>
    <message>
        <source>%1（うしろ）</source>
        <translation>%1 (back)</translation>
    </message>
    <message>
        <source>%1代目チャンピオン&#x3000;ＲＡＮＫ－－%2<byte value="xd"/>
&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;%3</source>
        <translation>Champion No.%1  RANK--%2<byte value="xd"/>
     %3</translation>
    </message>
    <message>
        <source>殿堂データを消すと二度と戻りません<byte value="xd"/>
いいですか？</source>
        <translation>Once erased, the records are gone for good.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>抹消しました。</source>
        <translation>Erased.</translation>
    </message>
</context>
<context>
    <name>FormHosts</name>
    <message>
        <source>ホストをさがす</source>
        <translation>Find a Host</translation>
    </message>
    <message>
        <source>見つかったホスト</source>
        <translation>Hosts found</translation>
    </message>
    <message>
        <source>これにする</source>
        <translation>Choose This</translation>
    </message>
    <message>
        <source>もう一度さがす</source>
        <translation>Search Again</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ポート%1でさがせません （使用中か、権限がありません）</source>
        <translation>Can&apos;t search on port %1 (in use, or no permission)</translation>
    </message>
    <message>
        <source>同じネットワークのホストをさがしています…</source>
        <translation>Looking for hosts on this network…</translation>
    </message>
    <message>
        <source>ホストは見つかりませんでした。 アドレスを記入してください。</source>
        <translation>No hosts found. Please type in an address.</translation>
    </message>
    <message>
        <source>ホストを選んで「これにする」を押してください。</source>
        <translation>Pick a host and press &quot;Choose This&quot;.</translation>
    </message>
    <message>
        <source>%1&#x3000;Lv.%2&#x3000;%3</source>
        <translation>%1  Lv.%2  %3</translation>
    </message>
</context>
<context>
    <name>FormReplays</name>
    <message>
        <source>リプレイを見る</source>
        <translation>Watch Replays</translation>
    </message>
    <message>
        <source>見る</source>
        <translation>Watch</translation>
    </message>
    <message>
        <source>ほかのファイル…</source>
        <translation>Other File…</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>記録したリプレイはまだありません。 ほかのファイルを選べます。</source>
        <translation>No replays recorded yet. You can pick another file.</translation>
    </message>
    <message>
        <source>見たいリプレイを選んで「見る」を押してください。</source>
        <translation>Pick a replay and press &quot;Watch&quot;.</translation>
    </message>
</context>
<context>
    <name>FormSettings</name>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>音楽</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>効果音（打撃音）</source>
        <translation>Sound effects (hits)</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>音楽を鳴らす</source>
        <translation>Play music</translation>
    </message>
    <message>
        <source>打撃音を鳴らす</source>
        <translation>Play hit sounds</translation>
    </message>
    <message>
        <source>%1の音量</source>
        <translation>%1 volume</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>音量 %1</source>
        <translation>Volume %1</translation>
    </message>
    <message>
        <source>設定を保存できませんでした（%1）。今回だけ使われます。</source>
        <translation>Couldn&apos;t save the settings (%1). They apply to this session only.</translation>
    </message>
    <message>
        <source>変えた設定はすぐに使われ、 次に始めたときも同じです。</source>
        <translation>Changes apply at once and are kept for next time.</translation>
    </message>
    <message>
        <source>インターネット対戦</source>
        <translation>Internet bouts</translation>
    </message>
    <message>
        <source>待ち合わせ場所</source>
        <translation>Meeting place</translation>
    </message>
    <message>
        <source>中継サーバー</source>
        <translation>Relay server</translation>
    </message>
</context>
<context>
    <name>GameContext</name>
    <message>
        <source>セーブしていないデータは消えてしまいます。<byte value="xd"/>
終了しますか？</source>
        <translation>Anything you haven&apos;t saved will be lost.<byte value="xd"/>
Quit anyway?</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>モフリンＧＰ&#x3000;へるぷ</source>
        <translation>Mofurin GP Help</translation>
    </message>
    <message>
        <source>ヘルプファイル %1 が見つかりません。</source>
        <translation>Can&apos;t find the help file %1.</translation>
    </message>
</context>
<context>
    <name>LinkMessages</name>
    <message>
        <source>選択</source>
        <translation>Choice</translation>
    </message>
    <message>
        <source>攻撃</source>
        <translation>Strike</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Ack</translation>
    </message>
    <message>
        <source>同期</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>送可</source>
        <translation>Resend</translation>
    </message>
    <message>
        <source>逃亡</source>
        <translation>Fled</translation>
    </message>
    <message>
        <source>発言</source>
        <translation>Say</translation>
    </message>
</context>
<context>
    <name>NetworkBout</name>
    <message>
        <source>逃げられたらしい。戦闘を強制終了します。</source>
        <translation>Looks like your opponent ran off. Ending the bout.</translation>
    </message>
    <message>
        <source>相手との通信が切れました。<byte value="xd"/>
ステータス画面に戻ります。</source>
        <translation>Lost the connection to your opponent.<byte value="xd"/>
Back to the Status screen.</translation>
    </message>
    <message>
        <source>接続できませんでした（時間切れ）。もう一度押してください。</source>
        <translation>Couldn&apos;t connect (timed out). Press again.</translation>
    </message>
    <message>
        <source>接続が切れました</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>現在、接続待ち...</source>
        <translation>Waiting for a connection...</translation>
    </message>
    <message>
        <source>相手の接続を待ちます</source>
        <translation>Waiting for the other player</translation>
    </message>
    <message>
        <source>接続中...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>ポート%1で接続を待てません（使用中か、権限がありません）</source>
        <translation>Can&apos;t listen on port %1 (in use, or no permission)</translation>
    </message>
    <message>
        <source>現在、接続されています。</source>
        <translation>Connected.</translation>
    </message>
    <message>
        <source>接続できました</source>
        <translation>Connection made</translation>
    </message>
    <message>
        <source>接続できませんでした。アドレスを確かめて、もう一度押してください。</source>
        <translation>Couldn&apos;t connect. Check the address and press again.</translation>
    </message>
    <message>
        <source>（待っているメッセージではないので、無視しました）</source>
        <translation>(Not the message awaited: ignored.)</translation>
    </message>
    <message>
        <source>招待コードを用意しています...</source>
        <translation>Preparing an invitation code...</translation>
    </message>
    <message>
        <source>招待コードの相手をさがしています...</source>
        <translation>Looking for the player who invited you...</translation>
    </message>
    <message>
        <source>招待コードを伝えてね（10分間有効）</source>
        <translation>Give your friend the code (good for 10 min)</translation>
    </message>
    <message>
        <source>招待コードが正しくありません。確かめて、もう一度押してください。</source>
        <translation>That invitation code is not right. Check it and press again.</translation>
    </message>
    <message>
        <source>この招待コードの相手が見つかりません（打ちまちがいか、期限切れか、もう使われています）。</source>
        <translation>Nobody is waiting with this invitation code (mistyped, expired or already used).</translation>
    </message>
    <message>
        <source>招待コードの期限（10分）が切れました。もう一度作ってください。</source>
        <translation>The invitation code expired after 10 minutes. Make a new one.</translation>
    </message>
    <message>
        <source>待ち合わせ場所のサーバーにつながりません。設定画面の「待ち合わせ場所」を確かめてください。</source>
        <translation>Can&apos;t reach the meeting-place server. Check Meeting place in Settings.</translation>
    </message>
    <message>
        <source>相手までの道が見つかりませんでした。設定画面の「中継サーバー」を確かめてください。</source>
        <translation>No way to your friend was found. Check Relay server in Settings.</translation>
    </message>
    <message>
        <source>中継サーバーを通してつながりました</source>
        <translation>Connected through the relay server</translation>
    </message>
    <message>
        <source>インターネットで直接つながりました</source>
        <translation>Connected directly over the internet</translation>
    </message>
    <message>
        <source>通信対戦の部品が見つかりません。ゲームを入れ直してください。</source>
        <translation>The game&apos;s part for network bouts is missing. Please install the game again.</translation>
    </message>
    <message>
        <source>この招待コードは、もうほかの人が使っています。新しい招待コードをもらってください。</source>
        <translation>Someone else is already using this invitation code. Ask your friend for a new one.</translation>
    </message>
    <message>
        <source>待ち合わせ場所のサーバーに断られました。設定画面の「待ち合わせ場所」を確かめてください。</source>
        <translation>The meeting-place server turned the invitation away. Check Meeting place in Settings.</translation>
    </message>
    <message>
        <source>この起動のしかた（QT_NO_GLIB）ではインターネット対戦ができません。</source>
        <translation>Internet bouts cannot run when the game is started this way (QT_NO_GLIB).</translation>
    </message>
    <message>
        <source>もう一度遊ぶには新しい招待コードを作ってください。</source>
        <translation> Make a new invitation code to play again.</translation>
    </message>
    <message>
        <source>もう一度遊ぶには新しい招待コードをもらってください。</source>
        <translation> Ask for a new invitation code to play again.</translation>
    </message>
    <message>
        <source>接続が切れました。</source>
        <translation>The connection ended.</translation>
    </message>
    <message>
        <source>%1に勝ちました！</source>
        <translation>You beat %1!</translation>
    </message>
    <message>
        <source>%1に負けました。</source>
        <translation>You lost to %1.</translation>
    </message>
    <message>
        <source>%1と相打ちでした。</source>
        <translation>You and %1 fell together.</translation>
    </message>
    <message>
        <source>%1から逃げました。</source>
        <translation>You ran away from %1.</translation>
    </message>
    <message>
        <source>%1が逃げました。</source>
        <translation>%1 ran away.</translation>
    </message>
    <message>
        <source>%1との接続が切れました。</source>
        <translation>The connection to %1 ended.</translation>
    </message>
</context>
<context>
    <name>Rank</name>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Ａ</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Ｂ</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Ｃ</source>
        <translation>C</translation>
    </message>
    <message>
        <source>Ｄ</source>
        <translation>D</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>FAIL</translation>
    </message>
</context>
<context>
    <name>Replays</name>
    <message>
        <source>（%1 行目）</source>
        <translation> (line %1)</translation>
    </message>
    <message>
        <source>このリプレイは再生できません。<byte value="xd"/>
%1%2</source>
        <translation>This replay can&apos;t be played.<byte value="xd"/>
%1%2</translation>
    </message>
    <message>
        <source>このリプレイは再生できません。<byte value="xd"/>
ファイルを開けませんでした。</source>
        <translation>This replay can&apos;t be played.<byte value="xd"/>
The file could not be opened.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too big</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Net Battle</translation>
    </message>
    <message>
        <source>大会</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>相打ち</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>逃亡</source>
        <translation>Fled</translation>
    </message>
    <message>
        <source>途中まで</source>
        <translation>Unfinished</translation>
    </message>
    <message>
        <source>%1&#x3000;%2&#x3000;対&#x3000;%3&#x3000;%4&#x3000;%5</source>
        <translation>%1  %2 vs %3  %4  %5</translation>
    </message>
    <message>
        <source>リプレイ|*.replay</source>
        <translation>Replays|*.replay</translation>
    </message>
    <message>
        <source>あなたが逃亡</source>
        <translation>You fled</translation>
    </message>
    <message>
        <source>相手が逃亡</source>
        <translation>Opponent fled</translation>
    </message>
</context>
<context>
    <name>SaveFlow</name>
    <message>
        <source>datﾌｧｲﾙ|*.dat</source>
        <translation>Save files|*.dat</translation>
    </message>
    <message>
        <source>datﾌｧｲﾙ |*.dat</source>
        <translation>Save files |*.dat</translation>
    </message>
    <message>
        <source>SAVEできませんでした。<byte value="xd"/>
書き込めない場所か、数が大きすぎます。</source>
        <translation>Couldn&apos;t SAVE.<byte value="xd"/>
The place can&apos;t be written to, or a number is too big.</translation>
    </message>
    <message>
        <source>このファイルは読み込めませんでした。<byte value="xd"/>
こわれているか、セーブファイルではありません。</source>
        <translation>Couldn&apos;t load this file.<byte value="xd"/>
It is damaged, or it isn&apos;t a save file.</translation>
    </message>
    <message>
        <source>パスワードが変造されています！<byte value="xd"/>
プログラムが強制終了されます！！</source>
        <translation>The password has been tampered with!<byte value="xd"/>
The program will now shut down!!</translation>
    </message>
    <message>
        <source>このファイルには、大きすぎるか小さすぎる数があります。<byte value="xd"/>
-99999999から999999999までの数でなければ読み込めません。</source>
        <translation>This file holds a number too large or too small.<byte value="xd"/>
Only numbers from -99999999 to 999999999 can be loaded.</translation>
    </message>
</context>
<context>
    <name>Technique</name>
    <message>
        <source>H-S念力</source>
        <translation>H-S Mind Force</translation>
    </message>
    <message>
        <source>H-S心理攻撃</source>
        <translation>H-S Mind Games</translation>
    </message>
    <message>
        <source>H-Sサイコキネシス</source>
        <translation>H-S Psychokinesis</translation>
    </message>
    <message>
        <source>H-Sポルターガイスト</source>
        <translation>H-S Poltergeist</translation>
    </message>
    <message>
        <source>H-S身体破壊光線</source>
        <translation>H-S Bodybreak Beam</translation>
    </message>
    <message>
        <source>H-S原子力ビーム</source>
        <translation>H-S Atomic Beam</translation>
    </message>
    <message>
        <source>H--頭突き</source>
        <translation>H-- Headbutt</translation>
    </message>
    <message>
        <source>H--ヘッディング</source>
        <translation>H-- Header</translation>
    </message>
    <message>
        <source>HR-１００頭突き</source>
        <translation>HR- 100 Headbutts</translation>
    </message>
    <message>
        <source>A--ストレートパンチ</source>
        <translation>A-- Straight Punch</translation>
    </message>
    <message>
        <source>A--ジャブ</source>
        <translation>A-- Jab</translation>
    </message>
    <message>
        <source>A--２連打パンチ</source>
        <translation>A-- One-Two Punch</translation>
    </message>
    <message>
        <source>A--音速パンチ</source>
        <translation>A-- Sonic Punch</translation>
    </message>
    <message>
        <source>A--張り手</source>
        <translation>A-- Sumo Slap</translation>
    </message>
    <message>
        <source>A--ブロウ</source>
        <translation>A-- Power Blow</translation>
    </message>
    <message>
        <source>A--アッパーカット</source>
        <translation>A-- Uppercut</translation>
    </message>
    <message>
        <source>AR-往復ビンタ</source>
        <translation>AR- Slap Slap Slap</translation>
    </message>
    <message>
        <source>A--必殺突き</source>
        <translation>A-- Killer Thrust</translation>
    </message>
    <message>
        <source>A--コークスクリューパンチ</source>
        <translation>A-- Corkscrew Punch</translation>
    </message>
    <message>
        <source>A--マッハパンチ</source>
        <translation>A-- Mach Punch</translation>
    </message>
    <message>
        <source>L--足払い</source>
        <translation>L-- Leg Sweep</translation>
    </message>
    <message>
        <source>L--キック</source>
        <translation>L-- Kick</translation>
    </message>
    <message>
        <source>L--まわし蹴り</source>
        <translation>L-- Roundhouse Kick</translation>
    </message>
    <message>
        <source>L--飛び蹴り</source>
        <translation>L-- Flying Kick</translation>
    </message>
    <message>
        <source>L--２段蹴り</source>
        <translation>L-- Double Kick</translation>
    </message>
    <message>
        <source>L--キック&#x3000;アンド&#x3000;キック（蹴り&#x3000;そして&#x3000;蹴り）</source>
        <translation>L-- Kick AND Kick</translation>
    </message>
    <message>
        <source>LR-連続蹴り</source>
        <translation>LR- Kick Barrage</translation>
    </message>
    <message>
        <source>LR-百烈キック</source>
        <translation>LR- Hundred Kicks</translation>
    </message>
    <message>
        <source>L--ひざ蹴り</source>
        <translation>L-- Knee Kick</translation>
    </message>
    <message>
        <source>L--必殺かかと落とし</source>
        <translation>L-- Killer Heel Drop</translation>
    </message>
    <message>
        <source>L--１６文キック</source>
        <translation>L-- Size-16 Kick</translation>
    </message>
    <message>
        <source>L--マッハキック</source>
        <translation>L-- Mach Kick</translation>
    </message>
    <message>
        <source>B--体当たり</source>
        <translation>B-- Tackle</translation>
    </message>
    <message>
        <source>BR-締めつける</source>
        <translation>BR- Bear Hug</translation>
    </message>
    <message>
        <source>B--突進</source>
        <translation>B-- Charge</translation>
    </message>
    <message>
        <source>B--ヒップアタック</source>
        <translation>B-- Hip Attack</translation>
    </message>
    <message>
        <source>B--捨て身アタック</source>
        <translation>B-- All-Out Attack</translation>
    </message>
    <message>
        <source>H--つっつく</source>
        <translation>H-- Peck</translation>
    </message>
    <message>
        <source>HR-キツツキ突き</source>
        <translation>HR- Woodpecker Jab</translation>
    </message>
    <message>
        <source>H--かみつき</source>
        <translation>H-- Chomp</translation>
    </message>
    <message>
        <source>A--ひっかき</source>
        <translation>A-- Scratch</translation>
    </message>
    <message>
        <source>A--引き裂き</source>
        <translation>A-- Rip &amp; Tear</translation>
    </message>
    <message>
        <source>A--死力パンチ</source>
        <translation>A-- Do-or-Die Punch</translation>
    </message>
    <message>
        <source>A-Sファイヤ－ボルト</source>
        <translation>A-S Fire Bolt</translation>
    </message>
</context>
</TS>
