<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AlbumChooser</name>
    <message>
        <source>ホーム (%1)</source>
        <translation>Home (%1)</translation>
    </message>
    <message>
        <source>サムネイル追加</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>ファイルの選択</source>
        <translation>Choose Files</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名(&amp;N):</source>
        <translation>File &amp;name:</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの種類(&amp;T):</source>
        <translation>Files of &amp;type:</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ(&amp;F):</source>
        <translation>&amp;Folder:</translation>
    </message>
    <message>
        <source>ﾄﾞﾗｲﾌﾞ(&amp;V):</source>
        <translation>Dri&amp;ve:</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙOK</source>
        <translation>Use Files</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞOK</source>
        <translation>Use Folder</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>サムネイル挿入</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>ドライブの準備ができていません。</source>
        <translation>The drive is not ready.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
</context>
<context>
    <name>AlbumCopyPrompts</name>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>Not a regular file.</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあります。</source>
        <translation>A file with the same name exists.</translation>
    </message>
    <message>
        <source>アルバムをコピーしています...</source>
        <translation>Copying albums...</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>コピー先に同じ名前のファイルがあるため、アルバムをコピーしませんでした。</source>
        <translation>A file with the same name is in the destination, so no album was copied.</translation>
    </message>
    <message>
        <source>アルバムをコピーできませんでした。コピーしたファイルは削除しました。</source>
        <translation>The albums could not be copied. The files already copied were removed.</translation>
    </message>
    <message>
        <source>アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。<byte value="xd"/>
アルバムのフォルダ：%1<byte value="xd"/>
「名前をつけて保存」のフォルダ：%2<byte value="xd"/>
<byte value="xd"/>
スライドショーを行うには、フォルダを一致させる必要があります。<byte value="xd"/>
このまま保存しますか？</source>
        <translation>The albums are in another folder than the one you save to.<byte value="xd"/>
Album folder: %1<byte value="xd"/>
Save As folder: %2<byte value="xd"/>
<byte value="xd"/>
For a slideshow the folders must be the same.<byte value="xd"/>
Save anyway?</translation>
    </message>
    <message>
        <source>サムネイルの追加</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>アルバムのフォルダとコンテナのフォルダが異なります。<byte value="xd"/>
アルバムのフォルダ：%1<byte value="xd"/>
コンテナのフォルダ：%2<byte value="xd"/>
<byte value="xd"/>
アルバムはコンテナと同じフォルダにないと表示できません。<byte value="xd"/>
アルバムをコンテナのフォルダにコピーして追加しますか？</source>
        <translation>The albums are in another folder than the container.<byte value="xd"/>
Album folder: %1<byte value="xd"/>
Container folder: %2<byte value="xd"/>
<byte value="xd"/>
Albums can only be shown from the container&apos;s folder.<byte value="xd"/>
Copy the albums into the container&apos;s folder and insert them?</translation>
    </message>
    <message>
        <source>アルバムもコピー</source>
        <translation>Copy Albums Too</translation>
    </message>
</context>
<context>
    <name>AlbumEditorWindow</name>
    <message>
        <source>アルバム編集</source>
        <translation>Album Editor</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>ファイル名に保存できない文字が含まれています。</source>
        <translation>The file name contains characters that cannot be stored.</translation>
    </message>
    <message>
        <source>画像が大きすぎます（幅・高さは 65535 ピクセルまで）。</source>
        <translation>The picture is too large (at most 65535 pixels wide and high).</translation>
    </message>
    <message>
        <source>JPEG・BMP・GIF の画像ファイルではありません。</source>
        <translation>Not a JPEG, BMP or GIF picture file.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります。</source>
        <translation>A folder with the same name exists.</translation>
    </message>
    <message>
        <source>1つのアルバムに入る写真は 32767 枚までです。</source>
        <translation>An album holds at most 32767 photos.</translation>
    </message>
    <message>
        <source>アルバムが 2 GB を超えます。</source>
        <translation>The album would be larger than 2 GB.</translation>
    </message>
    <message>
        <source>%1 番目の写真を保存できません。</source>
        <translation>Photo %1 cannot be saved.</translation>
    </message>
    <message>
        <source>写真の追加(&amp;A)...</source>
        <translation>&amp;Add Photos...</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>下へ(&amp;N)</source>
        <translation>Move Dow&amp;n</translation>
    </message>
    <message>
        <source>名前の変更(&amp;R)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>非表示の切替(&amp;H)</source>
        <translation>Show/&amp;Hide</translation>
    </message>
    <message>
        <source>パスワード(&amp;P):</source>
        <translation>&amp;Password:</translation>
    </message>
    <message>
        <source>空欄でパスワードなし。8文字まで。半角の英数字・記号・半角カナだけが使えます。</source>
        <translation>Leave empty for no password. Up to 8 characters: letters, digits, symbols and half-width kana only.</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>（新しいアルバム）</source>
        <translation>(new album)</translation>
    </message>
    <message>
        <source>写真の追加</source>
        <translation>Add Photos</translation>
    </message>
    <message>
        <source>画像ファイル (*.jpg *.jpeg *.jpe *.bmp *.gif *.JPG *.JPEG *.JPE *.BMP *.GIF);;すべてのファイル (*)</source>
        <translation>Pictures (*.jpg *.jpeg *.jpe *.bmp *.gif *.JPG *.JPEG *.JPE *.BMP *.GIF);;All files (*)</translation>
    </message>
    <message>
        <source>写真が多すぎます。1つのアルバムに入るのは 32767 枚までです。</source>
        <translation>Too many photos. An album holds at most 32767 photos.</translation>
    </message>
    <message>
        <source>名前が長すぎるため非表示にできません。</source>
        <translation>The name is too long to be hidden.</translation>
    </message>
    <message>
        <source>名前を入力して下さい。</source>
        <translation>Please enter a name.</translation>
    </message>
    <message>
        <source>名前の先頭に * は使えません。非表示にするには「非表示の切替」を使って下さい。</source>
        <translation>A name cannot start with *. To hide a photo, use &quot;Show/Hide&quot;.</translation>
    </message>
    <message>
        <source>名前の変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>写真がありません。写真を追加して下さい。</source>
        <translation>There are no photos. Please add photos.</translation>
    </message>
    <message>
        <source>アルバムの保存</source>
        <translation>Save Album</translation>
    </message>
    <message>
        <source>アルバムファイル (*.sld);;すべてのファイル (*)</source>
        <translation>Album files (*.sld);;All files (*)</translation>
    </message>
    <message>
        <source>変更が保存されていません。保存せずに閉じますか？</source>
        <translation>The changes have not been saved. Close without saving?</translation>
    </message>
    <message>
        <source>次のファイルは追加できません。<byte value="xd"/>
%1</source>
        <translation>These files cannot be added:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>この名前は保存できません（使えない文字が含まれているか、長すぎます）。<byte value="xd"/>
%1</source>
        <translation>This name cannot be stored (it contains characters that cannot be used, or it is too long).<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>アルバムファイルを保存できません。</source>
        <translation>The album file cannot be saved.</translation>
    </message>
</context>
<context>
    <name>AlbumInfo</name>
    <message>
        <source>%1 x %1 ﾋﾟｸｾﾙ</source>
        <translation>%1 x %1 pixels</translation>
    </message>
    <message>
        <source>未確定</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>AlbumOpening</name>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>アルバムファイルを読み込めません。</source>
        <translation>The album file cannot be read.</translation>
    </message>
    <message>
        <source>アルバム編集</source>
        <translation>Album Editor</translation>
    </message>
    <message>
        <source>写真の書き出し</source>
        <translation>Export Photos</translation>
    </message>
    <message>
        <source>書き出し先のフォルダ</source>
        <translation>Export to Folder</translation>
    </message>
    <message>
        <source>フォルダではありません。</source>
        <translation>Not a folder.</translation>
    </message>
    <message>
        <source>フォルダを作成できません。</source>
        <translation>The folder cannot be created.</translation>
    </message>
    <message>
        <source>フォルダに書き込めません。</source>
        <translation>The folder cannot be written to. </translation>
    </message>
    <message>
        <source>%1 枚の写真を書き出しました。</source>
        <translation>%1 photos exported.</translation>
    </message>
    <message>
        <source>写真を書き出せませんでした。何も書き出していません。</source>
        <translation>The photos could not be exported. Nothing was written.</translation>
    </message>
</context>
<context>
    <name>AlbumPassword</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>パスワードが一致しません。</source>
        <translation>The password does not match.</translation>
    </message>
</context>
<context>
    <name>AlbumReader</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>キャンセル処理</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BatchRename</name>
    <message>
        <source>同じ名前のファイルがあります。</source>
        <translation>A file with the same name exists.</translation>
    </message>
    <message>
        <source>ファイルの名前を変更する権限がありません。</source>
        <translation>You have no permission to rename the file.</translation>
    </message>
    <message>
        <source>読み取り専用の場所にあります。</source>
        <translation>The file is in a read-only place.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>ディスクに空きがありません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ファイル名共通部に禁止文字が含まれています。<byte value="xd"/>
別の名前に変更して下さい。</source>
        <translation>The common part of the name contains characters that cannot be used.<byte value="xd"/>
Please choose another name.</translation>
    </message>
    <message>
        <source>フォルダの中に同じファイル名があるため、リネーミングをキャンセルします。</source>
        <translation>A file with the same name is in the folder, so nothing is renamed.</translation>
    </message>
    <message>
        <source>次のアルバムファイルの名前を変更できなかったため、リネーミングを中止しました。<byte value="xd"/>
%1<byte value="xd"/>
新しい名前： %2<byte value="xd"/>
%3</source>
        <translation>Renaming stopped: this album file could not be renamed.<byte value="xd"/>
%1<byte value="xd"/>
New name: %2<byte value="xd"/>
%3</translation>
    </message>
    <message>
        <source>それより前のアルバムファイルは新しい名前になっています。</source>
        <translation>The album files before it have their new names.</translation>
    </message>
    <message>
        <source>リネーミング</source>
        <translation>Batch Rename</translation>
    </message>
</context>
<context>
    <name>ClipboardCommands</name>
    <message>
        <source>サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。</source>
        <translation>Too many thumbnails. A container holds at most %1.</translation>
    </message>
    <message>
        <source>サムネイル貼り付け</source>
        <translation>Paste Thumbnail</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>コンテナファイル削除(&amp;D)</source>
        <translation>&amp;Delete Container File</translation>
    </message>
    <message>
        <source>アルバムファイル削除(&amp;P)</source>
        <translation>Delete Al&amp;bum File</translation>
    </message>
    <message>
        <source>アルバムリスト(&amp;L)</source>
        <translation>Album &amp;List</translation>
    </message>
    <message>
        <source>プロパティ(&amp;I)</source>
        <translation>Propert&amp;ies</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>サムネイル切り取り(&amp;T)</source>
        <translation>Cu&amp;t Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル切り取り</source>
        <translation>Cut Thumbnail</translation>
    </message>
    <message>
        <source>サムネイルコピー(&amp;C)</source>
        <translation>&amp;Copy Thumbnail</translation>
    </message>
    <message>
        <source>サムネイルコピー</source>
        <translation>Copy Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル貼り付け(&amp;P)</source>
        <translation>&amp;Paste Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル貼り付け</source>
        <translation>Paste Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル削除(&amp;D)</source>
        <translation>&amp;Delete Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル削除</source>
        <translation>Delete Thumbnail</translation>
    </message>
    <message>
        <source>サムネイル追加(&amp;I)</source>
        <translation>&amp;Insert Thumbnails...</translation>
    </message>
    <message>
        <source>サムネイル追加</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>サムネイルソート(&amp;S)</source>
        <translation>&amp;Sort Thumbnails</translation>
    </message>
    <message>
        <source>日付・昇順(&amp;U)</source>
        <translation>&amp;Date Ascending</translation>
    </message>
    <message>
        <source>日付・降順(&amp;D)</source>
        <translation>Date D&amp;escending</translation>
    </message>
    <message>
        <source>ファイル名・昇順(&amp;F)</source>
        <translation>&amp;File Name Ascending</translation>
    </message>
    <message>
        <source>ファイル名・降順(&amp;L)</source>
        <translation>File Name Desce&amp;nding</translation>
    </message>
    <message>
        <source>一括リネーミング(&amp;R)</source>
        <translation>Batch Re&amp;name...</translation>
    </message>
    <message>
        <source>一括リネーミング</source>
        <translation>Batch Rename</translation>
    </message>
    <message>
        <source>アルバムの作成(&amp;A)...</source>
        <translation>New &amp;Album...</translation>
    </message>
    <message>
        <source>アルバムの編集(&amp;E)...</source>
        <translation>&amp;Edit Album...</translation>
    </message>
    <message>
        <source>写真の書き出し(&amp;X)...</source>
        <translation>E&amp;xport Photos...</translation>
    </message>
    <message>
        <source>スライドショー(&amp;S)</source>
        <translation>&amp;Slideshow</translation>
    </message>
    <message>
        <source>スライドショー</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>ランダム表示(&amp;R)</source>
        <translation>&amp;Random Show</translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation>Random Show</translation>
    </message>
    <message>
        <source>サムネイルカバー(&amp;M)</source>
        <translation>Show &amp;Covers</translation>
    </message>
    <message>
        <source>サムネイルカバー</source>
        <translation>Show Covers</translation>
    </message>
    <message>
        <source>コメント表示(&amp;C)</source>
        <translation>Show Co&amp;mments</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>トピックの検索(&amp;I)</source>
        <translation>Help &amp;Topics</translation>
    </message>
    <message>
        <source>索引</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Quorbell</translation>
    </message>
</context>
<context>
    <name>CommonMessages</name>
    <message>
        <source>ファイルが保存されていません。保存しますか？</source>
        <translation>The file has not been saved. Save it?</translation>
    </message>
    <message>
        <source>不正なファイルです。</source>
        <translation>Not a valid file.</translation>
    </message>
    <message>
        <source>中止しました。表示サムネイルは無効です。</source>
        <translation>Stopped. The thumbnails shown cannot be used.</translation>
    </message>
</context>
<context>
    <name>ContainerCommands</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。</source>
        <translation>The file could not be read.</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>file name</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>comment</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>date</translation>
    </message>
    <message>
        <source>%1に保存できない文字「%2」があります。</source>
        <translation>The %1 contains &quot;%2&quot;, which cannot be stored.</translation>
    </message>
    <message>
        <source>%1が長すぎて保存できません。</source>
        <translation>The %1 is too long to be stored.</translation>
    </message>
    <message>
        <source>ファイル名に使えない文字があります。</source>
        <translation>A file name contains characters that cannot be used.</translation>
    </message>
    <message>
        <source>サムネイルが多すぎます。保存できるのは %1 個までです。</source>
        <translation>Too many thumbnails. At most %1 can be saved.</translation>
    </message>
    <message>
        <source>サムネイルが大きすぎて保存できません。</source>
        <translation>A thumbnail is too large to be saved.</translation>
    </message>
    <message>
        <source>保存できない内容があります。</source>
        <translation>Some contents cannot be saved.</translation>
    </message>
    <message>
        <source>アルバム番号： %1</source>
        <translation>Album number: %1</translation>
    </message>
    <message>
        <source>ファイル名： %1</source>
        <translation>File name: %1</translation>
    </message>
    <message>
        <source>コメント： %1</source>
        <translation>Comment: %1</translation>
    </message>
    <message>
        <source>パスワードが一致しません。</source>
        <translation>The password does not match.</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存の対象がありません。</source>
        <translation>There is nothing to save.</translation>
    </message>
    <message>
        <source>名前をつけて保存して下さい。</source>
        <translation>Please use Save As.</translation>
    </message>
    <message>
        <source>名前をつけて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>パスワードを指定してください。</source>
        <translation>Please enter a password.</translation>
    </message>
    <message>
        <source>コンテナファイル削除</source>
        <translation>Delete Container File</translation>
    </message>
    <message>
        <source>削除するコンテナファイルを表示して下さい。</source>
        <translation>Please open the container file to delete.</translation>
    </message>
    <message>
        <source>コンテナファイルがありません。</source>
        <translation>There is no container file.</translation>
    </message>
    <message>
        <source>コンテナファイルを削除します。</source>
        <translation>The container file will be deleted.</translation>
    </message>
    <message>
        <source>コンテナファイルを削除できませんでした。</source>
        <translation>The container file could not be deleted.</translation>
    </message>
    <message>
        <source>アルバムファイル削除</source>
        <translation>Delete Album File</translation>
    </message>
    <message>
        <source>アルバムファイルの削除には「新規作成」の実行が必要です。<byte value="xd"/>
「新規作成」でサムネイルを表示後、再実行して下さい。</source>
        <translation>Album files can only be deleted from a grid made with New.<byte value="xd"/>
Show the thumbnails with New, then try again.</translation>
    </message>
    <message>
        <source>アルバムファイルを選択して下さい。</source>
        <translation>Please select an album file.</translation>
    </message>
    <message>
        <source>サムネイルとアルバムファイル %1 を削除します。</source>
        <translation>The thumbnail and the album file %1 will be deleted.</translation>
    </message>
    <message>
        <source>アルバムファイルを削除できませんでした。</source>
        <translation>The album file could not be deleted.</translation>
    </message>
    <message>
        <source>アルバムファイルはありません。サムネイルのみ削除します。</source>
        <translation>The album file does not exist. Only the thumbnail will be deleted.</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>スライドファイル (*.cov);;すべてのファイル (*)</source>
        <translation>Container files (*.cov);;All files (*)</translation>
    </message>
</context>
<context>
    <name>Cover</name>
    <message>
        <source>アルバムカバー</source>
        <translation>Album Cover</translation>
    </message>
    <message>
        <source>アルバムカバーのファイルがありません。</source>
        <translation>The album cover file is missing.</translation>
    </message>
    <message>
        <source>「設定」－「カバー設定」で、アルバムカバーを再度選択して下さい。</source>
        <translation>Please choose the album cover again under Settings - Cover.</translation>
    </message>
</context>
<context>
    <name>DocumentEdits</name>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す: %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し: %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できないため、元に戻すことができません。</source>
        <translation>The album file cannot be renamed, so this cannot be undone.</translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できないため、やり直すことができません。</source>
        <translation>The album file cannot be renamed, so this cannot be redone.</translation>
    </message>
</context>
<context>
    <name>FirstStartHint</name>
    <message>
        <source>新規作成 (%1): アルバムファイルかフォルダを選んで一覧を作ります</source>
        <translation>New (%1): choose album files or a folder to build the grid</translation>
    </message>
    <message>
        <source>開く (%1): 保存したスライドファイル (*.cov) を開きます</source>
        <translation>Open (%1): open a saved container file (*.cov)</translation>
    </message>
    <message>
        <source>アルバムファイルやスライドファイルをここにドロップしても開けます</source>
        <translation>You can also drop album files or container files here</translation>
    </message>
</context>
<context>
    <name>GridCommands</name>
    <message>
        <source>ソート</source>
        <translation>Sort</translation>
    </message>
</context>
<context>
    <name>GridGeometry</name>
    <message>
        <source>表示アルバム数： %1</source>
        <translation>Albums: %1</translation>
    </message>
    <message>
        <source>非表示アルバム数： %1</source>
        <translation>Hidden: %1</translation>
    </message>
    <message>
        <source>読込みアルバム数： %1/%2</source>
        <translation>Loading: %1/%2</translation>
    </message>
    <message>
        <source>選択アルバム番号： %1</source>
        <translation>Selected: %1</translation>
    </message>
    <message>
        <source>選択アルバム名： %1</source>
        <translation>Name: %1</translation>
    </message>
</context>
<context>
    <name>GridInput</name>
    <message>
        <source>アボート処理</source>
        <translation>Abort</translation>
    </message>
</context>
<context>
    <name>InsertCommand</name>
    <message>
        <source>ファイルが選択されていません｡ </source>
        <translation>No file is selected.</translation>
    </message>
    <message>
        <source>サムネイル挿入</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>サムネイルの追加</source>
        <translation>Insert Thumbnails</translation>
    </message>
    <message>
        <source>同じ名前があります。別のファイル名にして下さい。<byte value="xd"/>
ファイル名： %1</source>
        <translation>The same name is already in the grid. Please choose another file.<byte value="xd"/>
File name: %1</translation>
    </message>
    <message>
        <source>サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。</source>
        <translation>Too many thumbnails. A container holds at most %1.</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Insert</translation>
    </message>
</context>
<context>
    <name>MainWindowHandlers</name>
    <message>
        <source>終了処理</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>NewCommand</name>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>ファイルが選択されていません｡ </source>
        <translation>No file is selected.</translation>
    </message>
    <message>
        <source>アルバムファイルが多すぎます。一度に選択できるのは %1 個までです。</source>
        <translation>Too many album files. At most %1 can be chosen at a time.</translation>
    </message>
</context>
<context>
    <name>OpenByPath</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>PhotoListView</name>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>非表示</source>
        <translation>Hidden</translation>
    </message>
</context>
<context>
    <name>PhotoNameLine</name>
    <message>
        <source>%1： %2 - %3</source>
        <translation>%1: %2 - %3</translation>
    </message>
</context>
<context>
    <name>QIODevice</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>QtPrompts</name>
    <message>
        <source>フォントとカラー</source>
        <translation>Font and Colour</translation>
    </message>
    <message>
        <source>カラーの選択...</source>
        <translation>Choose Colour...</translation>
    </message>
    <message>
        <source>カラー：</source>
        <translation>Colour:</translation>
    </message>
</context>
<context>
    <name>RecentContainersMenu</name>
    <message>
        <source>最近使ったファイル(&amp;F)</source>
        <translation>&amp;Recent Files</translation>
    </message>
</context>
<context>
    <name>RecoveryCommands</name>
    <message>
        <source>復元処理</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>前回の終了時に保存されていなかった内容が残っています。開きますか？<byte value="xd"/>
「いいえ」を選ぶと削除します。<byte value="xd"/>
%1</source>
        <translation>Unsaved work from the last session was kept. Open it?<byte value="xd"/>
Choosing &quot;No&quot; deletes it.<byte value="xd"/>
%1</translation>
    </message>
</context>
<context>
    <name>RenamePreview</name>
    <message>
        <source>次の %1 個のアルバムファイルの名前を変更します。<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>These %1 album files will be renamed:<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Continue?</translation>
    </message>
</context>
<context>
    <name>SlideshowBinding</name>
    <message>
        <source>アルバムファイルの読込み </source>
        <translation>Read Album File</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation>Random Show</translation>
    </message>
    <message>
        <source>スライドショー</source>
        <translation>Slideshow</translation>
    </message>
</context>
<context>
    <name>VersionText</name>
    <message>
        <source>アルバム (.sld) とコンテナ (.cov) に対応しています。</source>
        <translation>Works with albums (.sld) and containers (.cov).</translation>
    </message>
    <message>
        <source>フリーソフトウェアです。無保証で提供されます。</source>
        <translation>Free software, provided without warranty.</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Quorbell</translation>
    </message>
</context>
<context>
    <name>frmCondition</name>
    <message>
        <source>環境設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ビットマップ (*.bmp);;ＪＰＥＧ (*.jpg);;ＧＩＦ (*.gif);;すべてのファイル (*.bmp *.jpg *.gif)</source>
        <translation>Bitmap (*.bmp);;JPEG (*.jpg);;GIF (*.gif);;All pictures (*.bmp *.jpg *.gif)</translation>
    </message>
    <message>
        <source>開始時コメント</source>
        <translation>Comments at Start</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>あり</source>
        <translation>On</translation>
    </message>
    <message>
        <source>選択枠カラー</source>
        <translation>Selection Frame Colour</translation>
    </message>
    <message>
        <source>カラーの選択...</source>
        <translation>Choose Colour...</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>無効</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>有効</source>
        <translation>On</translation>
    </message>
    <message>
        <source>新規作成サムネイルサイズ</source>
        <translation>Thumbnail Size for New</translation>
    </message>
    <message>
        <source>  60 x 60 ﾋﾟｸｾﾙ</source>
        <translation> 60 x 60 pixels</translation>
    </message>
    <message>
        <source>  70 x 70 ﾋﾟｸｾﾙ</source>
        <translation> 70 x 70 pixels</translation>
    </message>
    <message>
        <source>  80 x 80 ﾋﾟｸｾﾙ</source>
        <translation> 80 x 80 pixels</translation>
    </message>
    <message>
        <source>  90 x 90 ﾋﾟｸｾﾙ</source>
        <translation> 90 x 90 pixels</translation>
    </message>
    <message>
        <source> 100 x 100 ﾋﾟｸｾﾙ</source>
        <translation>100 x 100 pixels</translation>
    </message>
    <message>
        <source> 110 x 110 ﾋﾟｸｾﾙ</source>
        <translation>110 x 110 pixels</translation>
    </message>
    <message>
        <source> 120 x 120 ﾋﾟｸｾﾙ</source>
        <translation>120 x 120 pixels</translation>
    </message>
    <message>
        <source>基本設定</source>
        <translation>General</translation>
    </message>
    <message>
        <source>カバー</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>開始時カバー</source>
        <translation>Cover at Start</translation>
    </message>
    <message>
        <source>カバー画像フォルダ/ファイル名</source>
        <translation>Cover picture file</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>カバー設定</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>表示切替</source>
        <translation>Advance</translation>
    </message>
    <message>
        <source>手動</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>表示間隔（目安）</source>
        <translation>Interval (approx.)</translation>
    </message>
    <message>
        <source>1秒</source>
        <translation>1 second</translation>
    </message>
    <message>
        <source>2秒</source>
        <translation>2 seconds</translation>
    </message>
    <message>
        <source>3秒</source>
        <translation>3 seconds</translation>
    </message>
    <message>
        <source>4秒</source>
        <translation>4 seconds</translation>
    </message>
    <message>
        <source>5秒</source>
        <translation>5 seconds</translation>
    </message>
    <message>
        <source>6秒</source>
        <translation>6 seconds</translation>
    </message>
    <message>
        <source>表示回数</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>一回</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>無限</source>
        <translation>Forever</translation>
    </message>
    <message>
        <source>フォト名表示</source>
        <translation>Photo Names</translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞｼｮｰ基本設定</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>表示フォトサイズ</source>
        <translation>Photo Size</translation>
    </message>
    <message>
        <source>未加工</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>縮小ジャストサイズ</source>
        <translation>Shrink to fit</translation>
    </message>
    <message>
        <source>拡大縮小ジャストサイズ</source>
        <translation>Shrink or enlarge to fit</translation>
    </message>
    <message>
        <source>フォントサイズ・カラー</source>
        <translation>Font Size and Colour</translation>
    </message>
    <message>
        <source>フォントの選択...</source>
        <translation>Choose Font...</translation>
    </message>
    <message>
        <source>表示単位</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>コンテナ</source>
        <translation>Container</translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞｼｮｰ拡張設定</source>
        <translation>Slideshow Extras</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>カバー画像の選択</source>
        <translation>Choose Cover Picture</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めませんでした。</source>
        <translation>The settings file could not be written.</translation>
    </message>
</context>
<context>
    <name>frmInfo</name>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>アルバム名がありません。別の名前にして下さい。</source>
        <translation>The album name is empty. Please choose another name.</translation>
    </message>
    <message>
        <source>サムネイルに同じ名前があります。別の名前にして下さい。</source>
        <translation>Another thumbnail has the same name. Please choose another name.</translation>
    </message>
    <message>
        <source>フォルダの中に同じ名前があります。別の名前にして下さい。</source>
        <translation>A file with the same name is in the folder. Please choose another name.</translation>
    </message>
    <message>
        <source>アルバムファイルの名前を変更できませんでした。</source>
        <translation>The album file could not be renamed.</translation>
    </message>
    <message>
        <source>コンテナ</source>
        <translation>Container</translation>
    </message>
    <message>
        <source>コンテナファイル名：</source>
        <translation>Container file:</translation>
    </message>
    <message>
        <source>コンテナファイルサイズ：</source>
        <translation>Container size:</translation>
    </message>
    <message>
        <source>コンテナファイル作成日時：</source>
        <translation>Container date:</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>選択アルバム番号：</source>
        <translation>Album number:</translation>
    </message>
    <message>
        <source>選択/新アルバム名：</source>
        <translation>Album name:</translation>
    </message>
    <message>
        <source>選択アルバムコメント：</source>
        <translation>Album comment:</translation>
    </message>
    <message>
        <source>選択アルバムトサイズ：</source>
        <translation>Album size:</translation>
    </message>
    <message>
        <source>選択アルバム作成日時：</source>
        <translation>Album date:</translation>
    </message>
    <message>
        <source>サムネイルサイズ：</source>
        <translation>Thumbnail size:</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>frmList</name>
    <message>
        <source>アルバムリスト</source>
        <translation>Album List</translation>
    </message>
    <message>
        <source> アルバム名</source>
        <translation> Album</translation>
    </message>
    <message>
        <source> コメント</source>
        <translation> Comment</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>サイズ </source>
        <translation>Size </translation>
    </message>
    <message>
        <source> 作成日時</source>
        <translation> Date</translation>
    </message>
    <message>
        <source>アルバムリストの保存</source>
        <translation>Save Album List</translation>
    </message>
    <message>
        <source>テキストファイル (*.txt);;すべてのファイル (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙに保存</source>
        <translation>Save to File</translation>
    </message>
</context>
<context>
    <name>frmPicture</name>
    <message>
        <source>一時停止</source>
        <translation>Paused</translation>
    </message>
</context>
<context>
    <name>frmRename</name>
    <message>
        <source>一括リネーミング</source>
        <translation>Batch Rename</translation>
    </message>
    <message>
        <source>選択アルバム名： %1</source>
        <translation>Name: %1</translation>
    </message>
    <message>
        <source>ファイル名を一括して書き換えます。</source>
        <translation>Renames all album files as a numbered series.</translation>
    </message>
    <message>
        <source>ファイル名共通部</source>
        <translation>Common part of the name</translation>
    </message>
    <message>
        <source>ファイル名下位部数字</source>
        <translation>Numbering</translation>
    </message>
    <message>
        <source>同一桁数(桁数はファイル数に依存）</source>
        <translation>Same number of digits (set by the number of files)</translation>
    </message>
    <message>
        <source>数字の大きさに対応して桁数が増加</source>
        <translation>Digits grow with the number</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>quorbell::PasswordDialog</name>
    <message>
        <source>ﾊﾟｽﾜｰﾄﾞの入力</source>
        <translation>Enter Password</translation>
    </message>
    <message>
        <source>下記のアルバムファイルのパスワードを入力して下さい</source>
        <translation>Please enter the password of this album file</translation>
    </message>
    <message>
        <source>コンテナファイルのパスワードを入力して下さい。</source>
        <translation>Please enter the password of the container file.</translation>
    </message>
    <message>
        <source>8文字まで。半角の英数字・記号・半角カナだけが使えます（全角文字は保存できません）。</source>
        <translation>Up to 8 characters: letters, digits, symbols and half-width kana only (full-width characters cannot be stored).</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>quorbell::StartupWindow</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>quorbell::frmHelp</name>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>&lt;h2&gt;ヘルプが見つかりません&lt;/h2&gt;&lt;p&gt;次のヘルプページがありません。&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Help not found&lt;/h2&gt;&lt;p&gt;This help page is missing:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1 ヘルプ</source>
        <translation>%1 Help</translation>
    </message>
</context>
<context>
    <name>quorbell::frmMain</name>
    <message>
        <source>コンテナ(&amp;C)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ショートカットメニュー</source>
        <translation>Shortcut Menu</translation>
    </message>
</context>
</TS>
