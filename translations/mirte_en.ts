<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>CacheFolder</name>
    <message>
        <source>指定されたディレクトリは読み取り専用です。</source>
        <translation>The chosen folder is read-only.</translation>
    </message>
    <message>
        <source>指定されたディレクトリにはキャッシュを保存できません。</source>
        <translation>The cache cannot be kept in the chosen folder.</translation>
    </message>
</context>
<context>
    <name>ContactSheetPrint</name>
    <message>
        <source>コンタクトシート印刷</source>
        <translation>Print Contact Sheet</translation>
    </message>
</context>
<context>
    <name>Gauge</name>
    <message>
        <source>%1 から %2 の間の値でなければなりません</source>
        <translation>The value must be between %1 and %2.</translation>
    </message>
</context>
<context>
    <name>IndexCardPrint</name>
    <message>
        <source>インデックスカード印刷</source>
        <translation>Print Index Card</translation>
    </message>
</context>
<context>
    <name>InternetLinks</name>
    <message>
        <source>フォトギャラリー</source>
        <translation>Photo Gallery</translation>
    </message>
    <message>
        <source>イラスト素材集</source>
        <translation>Clip Art Collection</translation>
    </message>
    <message>
        <source>ご利用バージョン：Version%1 日本語版</source>
        <translation>Version in use: %1 (English edition)</translation>
    </message>
</context>
<context>
    <name>JacketPrint</name>
    <message>
        <source>バックカード印刷</source>
        <translation>Print Back Card</translation>
    </message>
</context>
<context>
    <name>LoadState</name>
    <message>
        <source> 読込&#x3000;%1%</source>
        <translation> Loading %1%</translation>
    </message>
    <message>
        <source> 読込完了</source>
        <translation> Loaded</translation>
    </message>
    <message>
        <source> 読込中止</source>
        <translation> Stopped</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>ミルテ</source>
        <translation>Mirte</translation>
    </message>
</context>
<context>
    <name>MessageButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>再試行</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>無視</source>
        <translation>Ignore</translation>
    </message>
</context>
<context>
    <name>PrintConfirm</name>
    <message>
        <source>用紙にはA4もしくはレターを選択してください。</source>
        <translation>Choose A4 or Letter paper.</translation>
    </message>
    <message>
        <source>プリンタの設定が変わりました。A4かレターサイズで印刷してください。</source>
        <translation>The printer settings have changed. Print on A4 or Letter paper.</translation>
    </message>
    <message>
        <source>指定されたページはありません。</source>
        <translation>The chosen pages do not exist.</translation>
    </message>
</context>
<context>
    <name>ProgramPictures</name>
    <message>
        <source>ミルテ</source>
        <translation>Mirte</translation>
    </message>
    <message>
        <source>サムネイル表示と写真の印刷</source>
        <translation>Thumbnails and photo printing</translation>
    </message>
</context>
<context>
    <name>StartupChecks</name>
    <message>
        <source>プリンタが設定されていません。</source>
        <translation>No printer is set up.</translation>
    </message>
    <message>
        <source>本アプリケーションをローカルにコピーして起動し直してください。</source>
        <translation>Copy this program to a local disk and start it again.</translation>
    </message>
</context>
<context>
    <name>mirte::TLayoutDialog</name>
    <message>
        <source> レイアウト設定 </source>
        <translation> Layout settings </translation>
    </message>
    <message>
        <source>レイアウトを選択します：</source>
        <translation>Choose a layout:</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>ラベルの色を選択します：</source>
        <translation>Choose the label color:</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>タイトルを入力します：</source>
        <translation>Enter a title:</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>レイアウト設定の保存</source>
        <translation>Save layout settings</translation>
    </message>
    <message>
        <source>設定保存</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>文字色...</source>
        <translation>Text color...</translation>
    </message>
    <message>
        <source>入力された値に誤りがあります。(有効範囲3-28)</source>
        <translation>The value entered is not valid. (Valid range 3-28)</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmCache</name>
    <message>
        <source>キャッシュの設定</source>
        <translation>Cache Settings</translation>
    </message>
    <message>
        <source>画像キャッシュサイズ</source>
        <translation>Picture cache size</translation>
    </message>
    <message>
        <source>キャッシュ保存先</source>
        <translation>Cache folder</translation>
    </message>
    <message>
        <source>・・・</source>
        <translation>...</translation>
    </message>
    <message>
        <source>最適値</source>
        <translation>Best size</translation>
    </message>
    <message>
        <source>キャッシュクリア</source>
        <translation>Clear cache</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmContactSheetPrint</name>
    <message>
        <source>撮影日</source>
        <translation>Date taken</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmGauge</name>
    <message>
        <source>印刷の準備中</source>
        <translation>Preparing to print</translation>
    </message>
    <message>
        <source>印刷の準備をしています</source>
        <translation>Preparing the pages</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmJacketPrint</name>
    <message>
        <source>画像の回転を行います：</source>
        <translation>Rotate the picture:</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmPreview</name>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>プレビューを閉じる</source>
        <translation>Close the preview</translation>
    </message>
    <message>
        <source>ウィンドウに納まるサイズで表示</source>
        <translation>Fit the page in the window</translation>
    </message>
    <message>
        <source>ウィンドウの横幅に併せて表示</source>
        <translation>Fit the page to the window width</translation>
    </message>
    <message>
        <source>最初のページに移動</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>前のページに移動</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>次のページに移動</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>最後のページに移動</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>現在のページ</source>
        <translation>Current page</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷する</source>
        <translation>Print the pages</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmSelectCachePath</name>
    <message>
        <source>保存先選択</source>
        <translation>Choose Cache Folder</translation>
    </message>
    <message>
        <source>キャッシュの保存先を指定してください。</source>
        <translation>Choose the folder for the cache.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>%1:ドライブにディスクを挿入してください。</source>
        <translation>Insert a disk into drive %1.</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmThumbnail</name>
    <message>
        <source> アドレス：%1</source>
        <translation> Address: %1</translation>
    </message>
    <message>
        <source> アドレス：%1&#x3000;%2</source>
        <translation> Address: %1  %2</translation>
    </message>
    <message>
        <source>フォルダ &quot;%1&quot; を読み込めません。%2</source>
        <translation>Cannot read folder &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダが存在しません。</source>
        <translation>The file or folder does not exist.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を表示できません。%2</source>
        <translation>Cannot show &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>画像読み込み中は、表示順切替は無効です。</source>
        <translation>The sort order cannot be changed while pictures are loading.</translation>
    </message>
    <message>
        <source>画像読み込み中は、印刷ボタンは無効です。</source>
        <translation>Printing is not available while pictures are loading.</translation>
    </message>
    <message>
        <source>バックカード印刷をする前に、表示されている画像の中からお好みの画像をクリックして選んでください。</source>
        <translation>Before printing a back card, click one of the pictures shown to choose it.</translation>
    </message>
    <message>
        <source>ReadMeファイルが存在しません。</source>
        <translation>The ReadMe file does not exist.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; を開けませんでした。</source>
        <translation>Could not open &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>言語 (Language)(&amp;L)</source>
        <translation>&amp;Language (言語)</translation>
    </message>
    <message>
        <source>デスクトップに合わせる</source>
        <translation>As the desktop</translation>
    </message>
    <message>
        <source>次回の起動から切り替わります</source>
        <translation>Applies from the next start</translation>
    </message>
    <message>
        <source>設定ファイルが読み取り専用のため、言語の設定を保存できません。</source>
        <translation>The settings file is read-only, so the language cannot be saved.</translation>
    </message>
    <message>
        <source>読込中止</source>
        <translation>Stop loading</translation>
    </message>
    <message>
        <source>再読込</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>&#x3000;表示順&#x3000;</source>
        <translation>&#x3000;Sort by&#x3000;</translation>
    </message>
    <message>
        <source> 名前順</source>
        <translation> Name</translation>
    </message>
    <message>
        <source> サイズ順</source>
        <translation> Size</translation>
    </message>
    <message>
        <source> 撮影順</source>
        <translation> Date taken</translation>
    </message>
    <message>
        <source>&#x3000;画像の大きさ&#x3000;</source>
        <translation>&#x3000;Thumbnail size&#x3000;</translation>
    </message>
    <message>
        <source> 大&#x3000;</source>
        <translation> Large&#x3000;</translation>
    </message>
    <message>
        <source> 中</source>
        <translation> Medium</translation>
    </message>
    <message>
        <source> 小</source>
        <translation> Small</translation>
    </message>
    <message>
        <source>インデックス
カード印刷</source>
        <translation>Print
index card</translation>
    </message>
    <message>
        <source>バックカード
印刷</source>
        <translation>Print
back card</translation>
    </message>
    <message>
        <source>コンタクト
シート印刷</source>
        <translation>Print
contact sheet</translation>
    </message>
    <message>
        <source>ミルテホームページ</source>
        <translation>Mirte home page</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>インデックスカード印刷(&amp;I)</source>
        <translation>Print &amp;Index Card</translation>
    </message>
    <message>
        <source>バックカード印刷(&amp;B)</source>
        <translation>Print &amp;Back Card</translation>
    </message>
    <message>
        <source>コンタクトシート印刷(&amp;C)</source>
        <translation>Print &amp;Contact Sheet</translation>
    </message>
    <message>
        <source>ミルテの終了(&amp;X)</source>
        <translation>E&amp;xit Mirte</translation>
    </message>
    <message>
        <source>設定(&amp;T)</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>キャッシュの設定(&amp;U)</source>
        <translation>&amp;Cache Settings</translation>
    </message>
    <message>
        <source>インターネット(&amp;N) </source>
        <translation>I&amp;nternet </translation>
    </message>
    <message>
        <source>ミルテホームページ(&amp;H)</source>
        <translation>Mirte &amp;Home Page</translation>
    </message>
    <message>
        <source>無料写真画像：%1(&amp;F)</source>
        <translation>&amp;Free Photos: %1</translation>
    </message>
    <message>
        <source>無料イラスト：%1(&amp;C)</source>
        <translation>Free &amp;Clip Art: %1</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ReadMeの表示</source>
        <translation>Show ReadMe</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Mirte</translation>
    </message>
    <message>
        <source>バグレポート(&amp;M)</source>
        <translation>Report a &amp;Bug</translation>
    </message>
    <message>
        <source>この画像の再読込み</source>
        <translation>Reload this picture</translation>
    </message>
    <message>
        <source>最新の情報に更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>キャッシュ使用中：保存なし</source>
        <translation>Cache in use: not saving</translation>
    </message>
</context>
<context>
    <name>mirte::TfrmVersion</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Mirte</translation>
    </message>
    <message>
        <source>ミルテ</source>
        <translation>Mirte</translation>
    </message>
    <message>
        <source>制作：ミルテ開発チーム</source>
        <translation>Made by the Mirte team</translation>
    </message>
    <message>
        <source>連絡先：ヘルプメニューの「バグレポート」から</source>
        <translation>Contact: &quot;Report a Bug&quot; in the Help menu</translation>
    </message>
    <message>
        <source>免責事項</source>
        <translation>Disclaimer</translation>
    </message>
    <message>
        <source>本ソフトを使用した結果のいかなる障害の責任も負いかねますので予めご了承下さい。</source>
        <translation>We accept no liability for any damage from using this software.</translation>
    </message>
    <message>
        <source>リンク協力</source>
        <translation>Link partners</translation>
    </message>
    <message>
        <source>インターネットメニューの無料写真画像・無料イラストは、提携サイトのご協力によるものです。</source>
        <translation>The free photos and clip art in the Internet menu are courtesy of partner sites.</translation>
    </message>
    <message>
        <source>記載の会社名・サービス名は、各社の商標または登録商標です。</source>
        <translation>Names of companies and services are trademarks of their owners.</translation>
    </message>
</context>
</TS>
