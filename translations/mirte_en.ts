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
    <name>CliMessages</name>
    <message>
        <source>ファイルの日時とサイズを読めません。</source>
        <translation>Cannot read the file&apos;s date and size.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>画像を読み込めません。写真なしで印刷します。</source>
        <translation>Cannot load the picture. Printing without the photo.</translation>
    </message>
    <message>
        <source>設定ファイルがありません。既定の設定で印刷します。</source>
        <translation>No settings file. Printing with the default settings.</translation>
    </message>
    <message>
        <source>mirte-cli: 中断しました。何も印刷していません。</source>
        <translation>mirte-cli: Interrupted. Nothing was printed.</translation>
    </message>
    <message>
        <source>フォルダを作成できません。</source>
        <translation>Cannot create the folder.</translation>
    </message>
    <message>
        <source>%1/%2 ページ</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>mirte-cli cache: --size-kb にはキロバイト数を指定してください</source>
        <translation>mirte-cli cache: --size-kb takes a number of kilobytes</translation>
    </message>
    <message>
        <source>mirte-cli cache: --jobs には 1 から 64 までの数を指定してください</source>
        <translation>mirte-cli cache: --jobs takes a number from 1 to 64</translation>
    </message>
    <message>
        <source>使い方: mirte-cli cache --dir キャッシュフォルダ [--size-kb N] [--jobs N] get ファイル...
       mirte-cli cache --dir キャッシュフォルダ list
       mirte-cli cache --dir キャッシュフォルダ clear
</source>
        <translation>usage: mirte-cli cache --dir CACHEDIR [--size-kb N] [--jobs N] get FILE...
       mirte-cli cache --dir CACHEDIR list
       mirte-cli cache --dir CACHEDIR clear
</translation>
    </message>
    <message>
        <source>使い方: mirte-cli facts ファイル...
</source>
        <translation>usage: mirte-cli facts FILE...
</translation>
    </message>
    <message>
        <source>mirte-cli: %1 を作成できません</source>
        <translation>mirte-cli: cannot make %1</translation>
    </message>
    <message>
        <source>mirte-cli: %1 に書き込めません</source>
        <translation>mirte-cli: cannot write %1</translation>
    </message>
    <message>
        <source>%1 はその用紙に印刷できません</source>
        <translation>%1 cannot take that paper</translation>
    </message>
    <message>
        <source>mirte-cli print: このレイアウトは 1 ページです</source>
        <translation>mirte-cli print: the layout has 1 page</translation>
    </message>
    <message>
        <source>mirte-cli print: このレイアウトは %1 ページです</source>
        <translation>mirte-cli print: the layout has %1 pages</translation>
    </message>
    <message>
        <source>使い方: mirte-cli render-demo 出力.pdf
       mirte-cli render-demo --printer キュー
       mirte-cli render-demo --png [--scale N] [--page N] 出力.png
</source>
        <translation>usage: mirte-cli render-demo OUT.pdf
       mirte-cli render-demo --printer QUEUE
       mirte-cli render-demo --png [--scale N] [--page N] OUT.png
</translation>
    </message>
    <message>
        <source>mirte-cli thumb: --box には 1 から %1 ピクセルまでの幅と高さを指定してください</source>
        <translation>mirte-cli thumb: --box takes two sides from 1 to %1 pixels</translation>
    </message>
    <message>
        <source>mirte-cli thumb: --jobs には 1 から 64 までの数を指定してください</source>
        <translation>mirte-cli thumb: --jobs takes a number from 1 to 64</translation>
    </message>
    <message>
        <source>使い方: mirte-cli thumb [--box 幅 高さ] [--jobs N] [--first-image] --out フォルダ ファイル...
</source>
        <translation>usage: mirte-cli thumb [--box W H] [--jobs N] [--first-image] --out DIR FILE...
</translation>
    </message>
    <message>
        <source>mirte-cli: 不明なコマンド &quot;%1&quot;</source>
        <translation>mirte-cli: unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>不明なレイアウト &quot;%1&quot;</source>
        <translation>unknown layout &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 には正しい値を指定してください</source>
        <translation>%1 needs a valid value</translation>
    </message>
    <message>
        <source>不明な引数 &quot;%1&quot;</source>
        <translation>unknown argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>フォルダと、--pdf・--printer・--png のどれかを指定してください</source>
        <translation>give the folder and one of --pdf, --printer, --png</translation>
    </message>
    <message>
        <source>画像と、--pdf・--printer・--png のどれかを指定してください</source>
        <translation>give the picture and one of --pdf, --printer, --png</translation>
    </message>
    <message>
        <source>使い方: mirte-cli list [--recursive] [フォルダ]
</source>
        <translation>usage: mirte-cli list [--recursive] [FOLDER]
</translation>
    </message>
    <message>
        <source>使い方: mirte-cli コマンド [引数]
  list [--recursive] [フォルダ]
                  フォルダの画像と動画を、時刻・サイズ・ボリュームとともに
                  (--recursive: その下のフォルダのものも、相対パスで)
  facts ファイル...
                  各画像の大きさ、EXIF の日付、時刻、サイズ、ボリューム
  thumb [--box 幅 高さ] [--jobs N] [--first-image] --out フォルダ ファイル...
                  各画像を枠に収めて フォルダ/名前.bmp に書き出す
                  (--jobs N: 描画ワーカーの数、省略時は全コア;
                  --first-image: ファイル自身の縮小画像を、大きさを変えずに)
  cache --dir キャッシュフォルダ [--size-kb N] [--jobs N] get ファイル... | list | clear
                  キャッシュを通したサムネイル、その記録、またはキャッシュのクリア
  render-demo 出力.pdf | --printer キュー | --png [--scale N] [--page N] 出力.png
                  報告エンジンの見本帳を、印刷またはプレビュー画像で
  print index|contact フォルダ | jacket 画像
        (--pdf 出力.pdf | --printer キュー | --png 出力フォルダ) [...]
                  インデックスカード、コンタクトシート、バックカードを、ウィンドウと
                  同じように印刷 (オプションは mirte-cli print --help で)
  version, --version
                  プログラムの版
  --help          この説明 (mirte-cli(1) も参照)
</source>
        <translation>usage: mirte-cli COMMAND [ARGS]
  list [--recursive] [FOLDER]
                  the folder&apos;s pictures and movies with time, size and volume
                  (--recursive: those of the folders below it too, by relative path)
  facts FILE...   each picture&apos;s size, EXIF dates, time, size and volume
  thumb [--box W H] [--jobs N] [--first-image] --out DIR FILE...
                  each picture fitted into the box, written as DIR/NAME.bmp
                  (--jobs N: N render workers, all cores unless given;
                  --first-image: the file&apos;s own smaller image, unscaled)
  cache --dir CACHEDIR [--size-kb N] [--jobs N] get FILE... | list | clear
                  thumbnails through the cache, its records, or clearing it
  render-demo OUT.pdf | --printer QUEUE | --png [--scale N] [--page N] OUT.png
                  the demonstration report, printed or as a preview image
  print index|contact FOLDER | jacket PICTURE
        (--pdf OUT.pdf | --printer QUEUE | --png OUT_DIR) [...]
                  an index card, contact sheet or back card, as the window
                  prints it (mirte-cli print --help tells the options)
  version, --version
                  the program&apos;s version
  --help          this text (see also mirte-cli(1))
</translation>
    </message>
    <message>
        <source>使い方: mirte-cli print index フォルダ 出力 [--pages 開始-終了] [--order name|size|date]
           [--layout 0..9] [--title 文字列] [--each-folder] [共通]
       mirte-cli print jacket 画像 出力 [--layout 0..3] [--rotate 0..3]
           [--title 文字列] [共通]
       mirte-cli print contact フォルダ 出力 [--pages 開始-終了]
           [--order name|size|date] [--layout 0..25] [--title 文字列] [--no-names]
           [--no-dates] [共通]
  出力: --pdf 出力.pdf | --printer キュー | --png 出力フォルダ
  共通: [--settings Thumbnail.ini] [--cache キャッシュフォルダ] [--paper A4|Letter] [--draft]
  --each-folder: フォルダとその下のすべてのフォルダを、フォルダごとのカードに印刷
</source>
        <translation>usage: mirte-cli print index FOLDER OUTPUT [--pages FROM-TO] [--order name|size|date]
           [--layout 0..9] [--title TEXT] [--each-folder] [COMMON]
       mirte-cli print jacket PICTURE OUTPUT [--layout 0..3] [--rotate 0..3]
           [--title TEXT] [COMMON]
       mirte-cli print contact FOLDER OUTPUT [--pages FROM-TO]
           [--order name|size|date] [--layout 0..25] [--title TEXT] [--no-names]
           [--no-dates] [COMMON]
  OUTPUT: --pdf OUT.pdf | --printer QUEUE | --png OUT_DIR
  COMMON: [--settings Thumbnail.ini] [--cache CACHEDIR] [--paper A4|Letter] [--draft]
  --each-folder: the folder and every folder below it, with cards of their own per folder
</translation>
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
    <name>FirstImageReasons</name>
    <message>
        <source>ファイルに縮小画像がありません。</source>
        <translation>The file has no embedded thumbnail.</translation>
    </message>
    <message>
        <source>縮小画像が壊れています。</source>
        <translation>The embedded thumbnail is damaged.</translation>
    </message>
    <message>
        <source>縮小画像の縦横比が画像と異なります。</source>
        <translation>The embedded thumbnail&apos;s aspect ratio differs from the picture&apos;s.</translation>
    </message>
    <message>
        <source>縮小画像の黒帯を切り取っても縦横比が画像と合いません。</source>
        <translation>Even without its black bars, the embedded thumbnail&apos;s aspect ratio does not match the picture&apos;s.</translation>
    </message>
</context>
<context>
    <name>FolderErrors</name>
    <message>
        <source>フォルダが存在しません。</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>フォルダではありません。</source>
        <translation>Not a folder.</translation>
    </message>
    <message>
        <source>フォルダを読み取る権限がありません。</source>
        <translation>No permission to read the folder.</translation>
    </message>
    <message>
        <source>フォルダを読み込めません。詳細：%1</source>
        <translation>Cannot read the folder. Details: %1</translation>
    </message>
</context>
<context>
    <name>FolderWalk</name>
    <message>
        <source>リンクを通して二度目に着いたフォルダです（一度だけ表示します）。</source>
        <translation>This folder was reached a second time through a link (it is shown once).</translation>
    </message>
    <message>
        <source>リンクが輪になっていて、たどれません。</source>
        <translation>The link leads round in a loop and cannot be followed.</translation>
    </message>
    <message>
        <source>名前が UTF-8 として正しくありません。</source>
        <translation>The name is not valid UTF-8.</translation>
    </message>
    <message>
        <source>パスが長すぎます。</source>
        <translation>The path is too long.</translation>
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
    <name>IniFile</name>
    <message>
        <source>too large</source>
        <translation>too large</translation>
    </message>
    <message>
        <source>設定ファイル &quot;%1&quot; に書き込めません。詳細：%2</source>
        <translation>Cannot write the settings file &quot;%1&quot;. Details: %2</translation>
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
    <name>JacketLayouts</name>
    <message>
        <source> 写真上</source>
        <translation> Photo on top</translation>
    </message>
    <message>
        <source> 写真下</source>
        <translation> Photo at bottom</translation>
    </message>
    <message>
        <source> 写真左</source>
        <translation> Photo on left</translation>
    </message>
    <message>
        <source> 写真右</source>
        <translation> Photo on right</translation>
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
    <name>Notifier</name>
    <message>
        <source>ミルテ: %1</source>
        <translation>Mirte: %1</translation>
    </message>
</context>
<context>
    <name>PictureErrors</name>
    <message>
        <source>BMP のヘッダーが不正です。</source>
        <translation>The BMP header is invalid.</translation>
    </message>
    <message>
        <source>BMP のヘッダーサイズが不正です。</source>
        <translation>The BMP header size is invalid.</translation>
    </message>
    <message>
        <source>BMP のヘッダーが途中で終わっています。</source>
        <translation>The BMP header is cut short.</translation>
    </message>
    <message>
        <source>BMP のビット数は扱えません。</source>
        <translation>This BMP bit depth is not supported.</translation>
    </message>
    <message>
        <source>BMP のマスクがありません。</source>
        <translation>The BMP color masks are missing.</translation>
    </message>
    <message>
        <source>BMP の圧縮形式は扱えません。</source>
        <translation>This BMP compression is not supported.</translation>
    </message>
    <message>
        <source>BMP の圧縮データが画像の大きさに足りません。</source>
        <translation>The BMP compressed data is too short for the picture size.</translation>
    </message>
    <message>
        <source>BMP の画像が大きすぎます。</source>
        <translation>The BMP picture is too large.</translation>
    </message>
    <message>
        <source>BMP のヘッダーサイズ %1 は扱えません。</source>
        <translation>A BMP header size of %1 is not supported.</translation>
    </message>
    <message>
        <source>HEIF の画素が得られません。</source>
        <translation>Cannot get the HEIF pixels.</translation>
    </message>
    <message>
        <source>HEIF の切り抜き範囲が画像の外にあります。</source>
        <translation>The HEIF crop area lies outside the picture.</translation>
    </message>
    <message>
        <source>JPEG ファイルが大きすぎます。</source>
        <translation>The JPEG file is too large.</translation>
    </message>
    <message>
        <source>縮小画像のデータが途中で切れています。</source>
        <translation>The embedded thumbnail&apos;s data is cut short.</translation>
    </message>
    <message>
        <source>縮小画像のヘッダーが読めません。</source>
        <translation>Cannot read the embedded thumbnail&apos;s header.</translation>
    </message>
    <message>
        <source>JPEG の開始マーカーがありません。</source>
        <translation>The JPEG start marker is missing.</translation>
    </message>
    <message>
        <source>JPEG のフレームヘッダーが見つかりません。</source>
        <translation>The JPEG frame header is missing.</translation>
    </message>
    <message>
        <source>画像の形式がわかりません。</source>
        <translation>Unknown picture format.</translation>
    </message>
    <message>
        <source>画像 &quot;%1&quot; を読み込めません。詳細：%2</source>
        <translation>Cannot load the picture &quot;%1&quot;. Details: %2</translation>
    </message>
    <message>
        <source>画像サイズ (%1 x %2) が不正です。</source>
        <translation>The picture size (%1 x %2) is invalid.</translation>
    </message>
    <message>
        <source>画像サイズ (%1 x %2) が大きすぎます。</source>
        <translation>The picture size (%1 x %2) is too large.</translation>
    </message>
    <message>
        <source>PNG の読み込みを準備できません。</source>
        <translation>Cannot prepare to read the PNG.</translation>
    </message>
    <message>
        <source>PNG のヘッダーが不正です。</source>
        <translation>The PNG header is invalid.</translation>
    </message>
    <message>
        <source>空のサムネイルは格納できません。</source>
        <translation>Cannot store an empty thumbnail.</translation>
    </message>
    <message>
        <source>サムネイルが大きすぎます。</source>
        <translation>The thumbnail is too large.</translation>
    </message>
    <message>
        <source>サムネイルを格納する形にできません。</source>
        <translation>Cannot convert the thumbnail for storing.</translation>
    </message>
    <message>
        <source>サムネイルファイルではありません。</source>
        <translation>Not a thumbnail file.</translation>
    </message>
    <message>
        <source>サムネイルファイルが空です。</source>
        <translation>The thumbnail file is empty.</translation>
    </message>
    <message>
        <source>TIFF のストリップが大きすぎます。</source>
        <translation>A TIFF strip is too large.</translation>
    </message>
    <message>
        <source>TIFF のデータが壊れています。</source>
        <translation>The TIFF data is damaged.</translation>
    </message>
    <message>
        <source>TIFF の画像サイズがありません。</source>
        <translation>The TIFF picture size is missing.</translation>
    </message>
    <message>
        <source>WebP の展開にメモリが足りません。</source>
        <translation>Not enough memory to decode the WebP.</translation>
    </message>
    <message>
        <source>WebP のデータが途中で終わっています。</source>
        <translation>The WebP data is cut short.</translation>
    </message>
    <message>
        <source>WebP の扱えない機能が使われています。</source>
        <translation>The file uses an unsupported WebP feature.</translation>
    </message>
    <message>
        <source>WebP のデータが不正です。</source>
        <translation>The WebP data is invalid.</translation>
    </message>
    <message>
        <source>libwebp の版が合いません。</source>
        <translation>The libwebp version does not match.</translation>
    </message>
    <message>
        <source>WebP ファイルが大きすぎます。</source>
        <translation>The WebP file is too large.</translation>
    </message>
</context>
<context>
    <name>PictureReasons</name>
    <message>
        <source>ファイルを開けません。</source>
        <translation>Cannot open the file.</translation>
    </message>
    <message>
        <source>ファイルを読めません。</source>
        <translation>Cannot read the file.</translation>
    </message>
    <message>
        <source>%1 ファイルではありません。</source>
        <translation>Not a %1 file.</translation>
    </message>
    <message>
        <source>ファイルが壊れています。</source>
        <translation>The file is damaged.</translation>
    </message>
    <message>
        <source>%1 の扱えない機能が使われています。</source>
        <translation>The file uses an unsupported %1 feature.</translation>
    </message>
    <message>
        <source>%1 の展開にメモリが足りません。</source>
        <translation>Not enough memory to decode the %1.</translation>
    </message>
    <message>
        <source>画像が大きすぎます。</source>
        <translation>The picture is too large.</translation>
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
    <name>RenderPool</name>
    <message>
        <source>サムネイルファイルがありません。</source>
        <translation>The thumbnail file is missing.</translation>
    </message>
</context>
<context>
    <name>ReportMessages</name>
    <message>
        <source>フォーム上にのみ配置できます．</source>
        <translation>Can only be placed on a form.</translation>
    </message>
    <message>
        <source>VUvudiRoz上かTLRLayoutPanelにのみ配置できます．</source>
        <translation>Can only be placed on a VUvudiRoz or a TLRLayoutPanel.</translation>
    </message>
    <message>
        <source>VUvudiRoz上には配置できません．</source>
        <translation>Cannot be placed on a VUvudiRoz.</translation>
    </message>
    <message>
        <source>パネル上にのみ配置できます．</source>
        <translation>Can only be placed on a panel.</translation>
    </message>
    <message>
        <source>列数が有効範囲を超えています．</source>
        <translation>The number of columns is out of range.</translation>
    </message>
    <message>
        <source>行数が有効範囲を超えています．</source>
        <translation>The number of rows is out of range.</translation>
    </message>
    <message>
        <source>プリンタは印刷中です．</source>
        <translation>The printer is printing.</translation>
    </message>
    <message>
        <source>印刷ページ範囲が正しくありません．</source>
        <translation>The page range to print is invalid.</translation>
    </message>
    <message>
        <source>プリンタが印刷中のため、プレビューを開始できません．</source>
        <translation>Cannot start the preview while the printer is printing.</translation>
    </message>
    <message>
        <source>BeginDocが呼び出されていません．</source>
        <translation>BeginDoc has not been called.</translation>
    </message>
    <message>
        <source>用紙設定時にエラーが発生しました．</source>
        <translation>An error occurred while setting up the paper.</translation>
    </message>
    <message>
        <source>印刷を開始できませんでした．</source>
        <translation>Could not start printing.</translation>
    </message>
    <message>
        <source>印刷を終了できませんでした．</source>
        <translation>Could not finish printing.</translation>
    </message>
    <message>
        <source>イメージはビットマップかJPEGイメージのみ有効です</source>
        <translation>Only bitmap and JPEG images are supported.</translation>
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
    <name>TAtomicFile</name>
    <message>
        <source>ファイル &quot;%1&quot; への書き込み中にエラーが発生しました。詳細：%2</source>
        <translation>An error occurred while writing the file &quot;%1&quot;. Details: %2</translation>
    </message>
</context>
<context>
    <name>TInnerSize</name>
    <message>
        <source>引数不正。TInnerSize.SetSize 枠サイズ(%1 x %2)</source>
        <translation>Invalid argument. TInnerSize.SetSize box size (%1 x %2)</translation>
    </message>
    <message>
        <source>引数不正。TInnerSize.SetSize 画像サイズ(%1 x %2)</source>
        <translation>Invalid argument. TInnerSize.SetSize picture size (%1 x %2)</translation>
    </message>
</context>
<context>
    <name>TInputTextFile</name>
    <message>
        <source>ファイル &quot;%1&quot; が存在しません。</source>
        <translation>The file &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; の行が長すぎます。</source>
        <translation>A line of the file &quot;%1&quot; is too long.</translation>
    </message>
</context>
<context>
    <name>TLRImage</name>
    <message>
        <source>JPEGイメージを読み込めません</source>
        <translation>Cannot load the JPEG image.</translation>
    </message>
</context>
<context>
    <name>TLogFile</name>
    <message>
        <source>空白のログパスが指定されました。</source>
        <translation>An empty log path was given.</translation>
    </message>
    <message>
        <source>ログファイルパス &quot;%1&quot; が不正です。詳細：%2</source>
        <translation>The log file path &quot;%1&quot; is invalid. Details: %2</translation>
    </message>
    <message>
        <source>ログ出力中にエラーが発生しました。<byte value="xd"/>
ファイル名：%1<byte value="xd"/>
詳細：%2</source>
        <translation>An error occurred while writing the log.<byte value="xd"/>
File name: %1<byte value="xd"/>
Details: %2</translation>
    </message>
    <message>
        <source>以下のメッセージが出力されましたがログが開かれていません。<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>The following message was written, but the log is not open.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>日付付きログ出力中にエラーが発生しました。<byte value="xd"/>
詳細：%1</source>
        <translation>An error occurred while writing a dated log line.<byte value="xd"/>
Details: %1</translation>
    </message>
</context>
<context>
    <name>TOutputTextFile</name>
    <message>
        <source>ファイル &quot;%1&quot; は開かれていません。</source>
        <translation>The file &quot;%1&quot; is not open.</translation>
    </message>
</context>
<context>
    <name>TPdfWriterDevice</name>
    <message>
        <source>出力ファイルが指定されていません。</source>
        <translation>No output file is given.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; に書き込めません。</source>
        <translation>Cannot write &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>TQtPrinterDevice</name>
    <message>
        <source>プリンタ &quot;%1&quot; が見つかりません。</source>
        <translation>Printer &quot;%1&quot; not found.</translation>
    </message>
    <message>
        <source>出力ファイルが指定されていません。</source>
        <translation>No output file is given.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; に書き込めません。</source>
        <translation>Cannot write &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>TReportForm</name>
    <message>
        <source>用紙設定ができません!!</source>
        <translation>Cannot set up the paper!!</translation>
    </message>
</context>
<context>
    <name>TThCacheFileName</name>
    <message>
        <source>キャッシュディレクトリが未設定です</source>
        <translation>The cache folder is not set.</translation>
    </message>
</context>
<context>
    <name>TThEntryIterator</name>
    <message>
        <source>Index=%1 不正。%2</source>
        <translation>Index=%1 is invalid. %2</translation>
    </message>
</context>
<context>
    <name>TThImageBase</name>
    <message>
        <source>ビットマップファイル%1を削除できません</source>
        <translation>Cannot delete the bitmap file %1.</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; をオープンできません。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>TThTable</name>
    <message>
        <source>空文字列のキャッシュディレクトリ名が要求されました</source>
        <translation>An empty cache folder name was requested.</translation>
    </message>
    <message>
        <source>キャッシュ情報名が不正です。Dir=%1</source>
        <translation>The cache data folder name is invalid. Dir=%1</translation>
    </message>
    <message>
        <source>旧キャッシュ情報名が不正です。Dir=%1</source>
        <translation>The old cache data folder name is invalid. Dir=%1</translation>
    </message>
    <message>
        <source>旧キャッシュ情報が多すぎます。Count=%1</source>
        <translation>Too many old cache data folders. Count=%1</translation>
    </message>
    <message>
        <source>キャッシュフォルダ %1 は他のミルテが使用中です。空くのを待っています。</source>
        <translation>The cache folder %1 is in use by another Mirte. Waiting for it to be free.</translation>
    </message>
    <message>
        <source>キャッシュフォルダ %1 は他のミルテが使用中です。サムネイルは保存しません。</source>
        <translation>The cache folder %1 is in use by another Mirte. Thumbnails are not saved.</translation>
    </message>
    <message>
        <source>キャッシュフォルダ %1 は他のミルテが使用中のため、クリアできません。</source>
        <translation>The cache folder %1 is in use by another Mirte and cannot be cleared.</translation>
    </message>
</context>
<context>
    <name>TThumbnailDB</name>
    <message>
        <source>ファイルの日時とサイズを読めません。</source>
        <translation>Cannot read the file&apos;s date and size.</translation>
    </message>
</context>
<context>
    <name>TVersionInfo</name>
    <message>
        <source>&quot;%1&quot;のバージョン情報のサイズを取得できません。詳細:%2</source>
        <translation>Cannot get the size of the version information of &quot;%1&quot;. Details: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot;のバージョン情報を作成できません。詳細:%2</source>
        <translation>Cannot make the version information of &quot;%1&quot;. Details: %2</translation>
    </message>
    <message>
        <source>ミルテ</source>
        <translation>Mirte</translation>
    </message>
    <message>
        <source>ミルテ サムネイル印刷</source>
        <translation>Mirte thumbnail printing</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>ファイル &quot;%1&quot; をオープンできません。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; の読み込み中にエラーが発生しました。詳細：%2</source>
        <translation>An error occurred while reading the file &quot;%1&quot;. Details: %2</translation>
    </message>
</context>
<context>
    <name>TprtContactSheetPrint</name>
    <message>
        <source>コンタクトシート印刷</source>
        <translation>Print Contact Sheet</translation>
    </message>
</context>
<context>
    <name>TprtJacketPrint</name>
    <message>
        <source>バックカード印刷</source>
        <translation>Print Back Card</translation>
    </message>
</context>
<context>
    <name>TprtThumbnailPrint</name>
    <message>
        <source>インデックスカード印刷</source>
        <translation>Print Index Card</translation>
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
    <name>mirte::TfrmPrintThumbnail</name>
    <message>
        <source>フォルダごとにカードを作る</source>
        <translation>Cards per folder</translation>
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
        <translation>Same as the desktop</translation>
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
        <translation>Stop
loading</translation>
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
        <translation>Mirte Home Page</translation>
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
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>サブフォルダも表示(&amp;S)</source>
        <translation>Show &amp;Subfolders</translation>
    </message>
    <message>
        <source> アドレス：%1&#x3000;探索中：%2 フォルダ、%3 ファイル</source>
        <translation> Address: %1   Searching: %2 folders, %3 files</translation>
    </message>
    <message>
        <source> アドレス：%1&#x3000;%2 フォルダ、%3 ファイル</source>
        <translation> Address: %1   %2 folders, %3 files</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&#x3000;（%1 か所を飛ばしました）</source>
        <translation>   (%1 skipped)</translation>
    </message>
    <message>
        <source>ほか %1 か所</source>
        <translation>and %1 more</translation>
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
