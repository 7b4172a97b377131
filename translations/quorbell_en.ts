<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AlbumChooser</name>
    <message>
        <source>ホーム (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルの選択</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名(&amp;N):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの種類(&amp;T):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ(&amp;F):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾄﾞﾗｲﾌﾞ(&amp;V):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙOK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞOK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが見つかりません。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル挿入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ドライブの準備ができていません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumEditorWindow</name>
    <message>
        <source>アルバム編集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを読み込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名に保存できない文字が含まれています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像が大きすぎます（幅・高さは 65535 ピクセルまで）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG・BMP・GIF の画像ファイルではありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1つのアルバムに入る写真は 32767 枚までです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムが 2 GB を超えます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 番目の写真を保存できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルを保存できません。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真の追加(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下へ(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前の変更(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>非表示の切替(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワード(&amp;P):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空欄でパスワードなし。8文字まで。半角の英数字・記号・半角カナだけが使えます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（新しいアルバム）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真の追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像ファイル (*.jpg *.jpeg *.jpe *.bmp *.gif *.JPG *.JPEG *.JPE *.BMP *.GIF);;すべてのファイル (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真が多すぎます。1つのアルバムに入るのは 32767 枚までです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次のファイルは追加できません。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前が長すぎるため非表示にできません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前を入力して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前の先頭に * は使えません。非表示にするには「非表示の切替」を使って下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この名前は保存できません（使えない文字が含まれているか、長すぎます）。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前の変更</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真がありません。写真を追加して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムの保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイル (*.sld);;すべてのファイル (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>変更が保存されていません。保存せずに閉じますか？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumInfo</name>
    <message>
        <source>%1 x %1 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未確定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumOpening</name>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルを読み込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバム編集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真の書き出し</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き出し先のフォルダ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 枚の写真を書き出しました。<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダではありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダを作成できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダに書き込めません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真を書き出せませんでした。何も書き出していません。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumPassword</name>
    <message>
        <source>パスワードが一致しません。<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlbumReader</name>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル処理</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClipboardCommands</name>
    <message>
        <source>サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル貼り付け</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナファイル削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイル削除(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムリスト(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロパティ(&amp;I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル切り取り(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル切り取り</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルコピー(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルコピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル貼り付け(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル貼り付け</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル追加(&amp;I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイル追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルソート(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日付・昇順(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日付・降順(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名・昇順(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名・降順(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括リネーミング(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括リネーミング</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムの作成(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムの編集(&amp;E)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写真の書き出し(&amp;X)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スライドショー(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スライドショー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ランダム表示(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルカバー(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルカバー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コメント表示(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>トピックの検索(&amp;I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>索引</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Cover</name>
    <message>
        <source>アルバムカバーのファイルがありません。<byte value="xd"/>
「設定」－「カバー設定」で、アルバムカバーを再度選択して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムカバー</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentEdits</name>
    <message>
        <source>元に戻す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す: %1(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し: %1(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できないため、元に戻すことができません。<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できないため、やり直すことができません。<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirstStartHint</name>
    <message>
        <source>新規作成 (%1): アルバムファイルかフォルダを選んで一覧を作ります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く (%1): 保存したスライドファイル (*.cov) を開きます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルやスライドファイルをここにドロップしても開けます</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GridCommands</name>
    <message>
        <source>ソート</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GridGeometry</name>
    <message>
        <source>表示アルバム数： %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>非表示アルバム数： %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読込みアルバム数： %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバム番号： %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバム名： %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GridInput</name>
    <message>
        <source>アボート処理</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowHandlers</name>
    <message>
        <source>終了処理</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NewCommand</name>
    <message>
        <source>新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが選択されていません｡ </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルが多すぎます。一度に選択できるのは %1 個までです。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OpenByPath</name>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoListView</name>
    <message>
        <source>名前</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>非表示</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoNameLine</name>
    <message>
        <source>%1： %2 - %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QIODevice</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtPrompts</name>
    <message>
        <source>フォントとカラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カラーの選択...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カラー：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecentContainersMenu</name>
    <message>
        <source>最近使ったファイル(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryCommands</name>
    <message>
        <source>復元処理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前回の終了時に保存されていなかった内容が残っています。開きますか？<byte value="xd"/>
「いいえ」を選ぶと削除します。<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VersionText</name>
    <message>
        <source>アルバム (.sld) とコンテナ (.cov) に対応しています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フリーソフトウェアです。無保証で提供されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCondition</name>
    <message>
        <source>環境設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ビットマップ (*.bmp);;ＪＰＥＧ (*.jpg);;ＧＩＦ (*.gif);;すべてのファイル (*.bmp *.jpg *.gif)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始時コメント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>あり</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択枠カラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カラーの選択...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>無効</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有効</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成サムネイルサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  60 x 60 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  70 x 70 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  80 x 80 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  90 x 90 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 100 x 100 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 110 x 110 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 120 x 120 ﾋﾟｸｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>基本設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カバー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始時カバー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カバー画像フォルダ/ファイル名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参照...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カバー設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示切替</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手動</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示間隔（目安）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示回数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>無限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォト名表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞｼｮｰ基本設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示フォトサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未加工</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縮小ジャストサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拡大縮小ジャストサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォントサイズ・カラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォントの選択...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示単位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞｼｮｰ拡張設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カバー画像の選択</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定ファイルに書き込めませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmInfo</name>
    <message>
        <source>プロパティ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバム名がありません。別の名前にして下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルに同じ名前があります。別の名前にして下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダの中に同じ名前があります。別の名前にして下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナファイル名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナファイルサイズ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナファイル作成日時：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバム番号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択/新アルバム名：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバムコメント：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバムトサイズ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択アルバム作成日時：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サムネイルサイズ：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>適用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmList</name>
    <message>
        <source>アルバムリスト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> アルバム名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> コメント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>種類</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サイズ </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 作成日時</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アルバムリストの保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストファイル (*.txt);;すべてのファイル (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ﾌｧｲﾙに保存</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmPicture</name>
    <message>
        <source>一時停止</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbell::PasswordDialog</name>
    <message>
        <source>ﾊﾟｽﾜｰﾄﾞの入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下記のアルバムファイルのパスワードを入力して下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コンテナファイルのパスワードを入力して下さい。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8文字まで。半角の英数字・記号・半角カナだけが使えます（全角文字は保存できません）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbell::StartupWindow</name>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbell::frmHelp</name>
    <message>
        <source>戻る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>進む</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>目次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h2&gt;ヘルプが見つかりません&lt;/h2&gt;&lt;p&gt;次のヘルプページがありません。&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ヘルプ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
