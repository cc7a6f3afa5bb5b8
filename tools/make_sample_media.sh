#!/usr/bin/env bash
# Writes the sample media of examples/: a clean current-format medium (平成28) of twelve photos
# and two reference drawings, a copy with a few deliberate faults, and a copy under the 平成29
# guideline whose photos carry the seal record of the tamper check, one of them altered after
# sealing. The photos are generated pictures with camera-like EXIF data (GNSS data on the
# 完成写真); the drawings are bilevel TIFF files at 200 dpi with CCITT Group 4 compression.
# Needs ImageMagick, exiftool and the sealing tool of a build:
#   tools/make_sample_media.sh [PATH/TO/kestrova-sign]
# (or KESTROVA_SIGN=PATH/TO/kestrova-sign; default build/bin/kestrova-sign).
set -euo pipefail
cd "$(dirname "$0")/.."

sign=${1:-${KESTROVA_SIGN:-build/bin/kestrova-sign}}
if [[ ! -x "$sign" ]]; then
  echo "kestrova-sign not found at $sign: build it or pass its path" >&2
  exit 1
fi

out=examples
clean=$out/sample-medium
faulty=$out/faulty-medium
sealed=$out/sample-medium-h29
rm -rf "$clean" "$faulty" "$sealed"
mkdir -p "$clean/PHOTO/PIC" "$clean/PHOTO/DRA"
cp data/PHOT_KQ4/PHOT_KQ4.DTD "$clean/"
cp data/PHOT_KQ4/PHOTO04.DTD "$clean/PHOTO/"

# serial|category|work type|kind|detail|title|drawing
entries=(
  "1|着手前写真|道路土工|掘削工|土砂掘削|着手前全景（起点側）|"
  "2|着手前写真|道路土工|掘削工|土砂掘削|着手前全景（終点側）|"
  "3|施工状況写真|道路土工|掘削工|土砂掘削|掘削状況 No.12+5.0|D0000001.TIF"
  "4|施工状況写真|道路土工|路体盛土工|路体盛土|路体盛土 敷均し状況|"
  "5|安全管理写真|道路土工|掘削工|土砂掘削|バリケード設置状況|"
  "6|使用材料写真|排水構造物工|側溝工|プレキャストU型側溝|U型側溝 搬入検収|"
  "7|施工状況写真|排水構造物工|側溝工|プレキャストU型側溝|U型側溝 据付状況|D0000002.TIF"
  "8|品質管理写真|舗装工|アスファルト舗装工|下層路盤工|下層路盤 締固め度試験|"
  "9|出来形管理写真|舗装工|アスファルト舗装工|表層工|表層 厚さ測定 No.15|"
  "10|施工状況写真|舗装工|アスファルト舗装工|表層工|表層 舗設状況|"
  "11|完成写真|舗装工|アスファルト舗装工|表層工|完成全景（起点側）|"
  "12|完成写真|舗装工|区画線工|区画線|完成全景（終点側）|"
)

element() { printf '<%s>%s</%s>' "$1" "$2" "$1"; }

photo_xml=$(mktemp)
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE 写真データ SYSTEM "PHOTO04.DTD">\n<写真データ>\n'
  printf '<基礎情報>%s%s%s%s%s%s%s%s</基礎情報>\n' \
    "$(element 写真フォルダ名 PHOTO/PIC)" "$(element 参考図フォルダ名 PHOTO/DRA)" \
    "$(element 適用要領基準 Varnelia平成28年7月)" "$(element 発注年度 2024)" \
    "$(element 工事番号 2024012345)" "$(element 工事名称 国道１２号線道路改良工事)" \
    "$(element 受注者名 北海建設株式会社)" "$(element 作成年月日 2025-03-25)"
  for entry in "${entries[@]}"; do
    IFS='|' read -r serial category worktype kind detail title drawing <<<"$entry"
    file=$(printf 'P%07d.JPG' "$serial")
    printf '<写真情報><写真ファイル情報>%s%s%s</写真ファイル情報>' \
      "$(element シリアル番号 "$serial")" "$(element 写真ファイル名 "$file")" "$(element メディア番号 1)"
    printf '<撮影工種区分>%s%s%s%s%s</撮影工種区分>%s' \
      "$(element 写真-大分類 工事)" "$(element 写真区分 "$category")" "$(element 工種 "$worktype")" \
      "$(element 種別 "$kind")" "$(element 細別 "$detail")" "$(element 写真タイトル "$title")"
    if [[ -n "$drawing" ]]; then
      printf '<付加情報>%s%s</付加情報>' "$(element 参考図ファイル名 "$drawing")" \
        "$(element 参考図タイトル 平面図)"
    fi
    printf '%s</写真情報>\n' "$(element 撮影年月日 "2024-$(printf '%02d' $(((serial + 5) / 2)))-15")"
  done
  printf '</写真データ>\n'
} >"$photo_xml"
mv "$photo_xml" "$clean/PHOTO/PHOTO.XML"

cat >"$clean/PHOTO_KQ.XML" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE 工事写真管理 SYSTEM "PHOT_KQ4.DTD">
<工事写真管理>
<基礎情報><メディア番号>1</メディア番号><メディア総枚数>1</メディア総枚数><適用要領基準>Varnelia平成28年7月</適用要領基準></基礎情報>
<工事件名等><発注年度>2024</発注年度><工事番号>2024012345</工事番号><工事名称>国道１２号線道路改良工事</工事名称><工期開始日>2024-04-01</工期開始日><工期終了日>2025-03-31</工期終了日></工事件名等>
<受注者情報><受注者名>北海建設株式会社</受注者名></受注者情報>
</工事写真管理>
XML

colors=(skyblue olivedrab khaki sienna lightsteelblue darkseagreen wheat slategray)
for entry in "${entries[@]}"; do
  IFS='|' read -r serial category _ <<<"$entry"
  file="$clean/PHOTO/PIC/$(printf 'P%07d.JPG' "$serial")"
  top=${colors[$((serial % ${#colors[@]}))]}
  bottom=${colors[$(((serial + 3) % ${#colors[@]}))]}
  convert -size 1280x960 "gradient:$top-$bottom" -fill white -stroke black -pointsize 64 \
    -annotate +60+120 "No.$serial" -quality 80 -sampling-factor 2x2 "$file"
  gps=()
  if [[ "$category" == 完成写真 ]]; then
    gps=(-GPSVersionID=2.3.0.0 -GPSLatitudeRef=N -GPSLatitude=43.0621 -GPSLongitudeRef=E
         -GPSLongitude=141.3544 -GPSAltitudeRef=0 -GPSAltitude=18.5 -GPSMapDatum=WGS-84)
  fi
  exiftool -q -overwrite_original -Make=Kestrova -Model="Site Camera 1" -Orientation=1 \
    -XResolution=72 -YResolution=72 -ResolutionUnit=inches -ExifVersion=0230 \
    -DateTimeOriginal="2024:06:15 10:$(printf '%02d' "$serial"):00" -ExifImageWidth=1280 \
    -ExifImageHeight=960 -ColorSpace=sRGB "${gps[@]}" "$file"
done

for number in 1 2; do
  convert -size 1654x1169 xc:white -fill none -stroke black -strokewidth 4 \
    -draw "rectangle 60,60 1594,1109" -draw "line 200,900 1450,300" -stroke none -fill black \
    -pointsize 48 -annotate +120+1040 "平面図 D000000$number" -monochrome \
    -density 200 -units PixelsPerInch -compress Group4 \
    "$clean/PHOTO/DRA/$(printf 'D%07d.TIF' "$number")" 2>/dev/null
done

# The faulty copy: a file name with full-width characters, a title with a character outside
# the allowed set, a photo category that is not in its selection list, a photo stripped of its
# EXIF information and a 完成写真 without its GNSS data.
cp -r "$clean" "$faulty"
sed -i -e 's|<写真ファイル名>P0000004.JPG</写真ファイル名>|<写真ファイル名>写真４.JPG</写真ファイル名>|' \
  -e 's|<写真タイトル>バリケード設置状況</写真タイトル>|<写真タイトル>バリケード設置状況①</写真タイトル>|' \
  -e 's|<写真区分>使用材料写真</写真区分>|<写真区分>材料検収写真</写真区分>|' \
  "$faulty/PHOTO/PHOTO.XML"
exiftool -q -overwrite_original -all= "$faulty/PHOTO/PIC/P0000008.JPG"
exiftool -q -overwrite_original -gps:all= "$faulty/PHOTO/PIC/P0000011.JPG"
# The 平成29 copy: the same photos sealed, then the date of photo 5 changed as an editor would,
# so that the check reports that one photo as altered.
cp -r "$clean" "$sealed"
sed -i 's|Varnelia平成28年7月|Varnelia平成29年7月|' "$sealed/PHOTO_KQ.XML" "$sealed/PHOTO/PHOTO.XML"
for file in "$sealed"/PHOTO/PIC/*.JPG; do
  "$sign" "$file"
done
exiftool -q -overwrite_original -DateTimeOriginal="2024:06:16 09:00:00" \
  "$sealed/PHOTO/PIC/P0000005.JPG"
echo "written: $clean $faulty $sealed"
