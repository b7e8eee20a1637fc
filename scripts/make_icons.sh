#!/bin/bash
# Draws the toolbar icons, the window icon and the splash image of src/images/ with ImageMagick.
# Needs: imagemagick. Run from the repository's root; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/../src/images"
B='#1f4e79'; O='#e07b00'; G='#2e7d32'; R='#c62828'
icon() { convert -size 32x32 xc:none -strokewidth 2 "$@"; }

icon -fill none -stroke $B -draw "polyline 4,10 12,10 14,7 28,7 28,26 4,26 4,10" \
     -stroke $O -draw "line 16,12 16,22" -draw "polyline 12,18 16,22 20,18" load.png
icon -fill none -stroke $B -draw "rectangle 5,5 27,27" -fill $B -draw "rectangle 10,5 22,12" \
     -fill $O -stroke $O -draw "rectangle 9,18 23,24" record.png
icon -stroke $B -draw "line 8,24 16,8" -draw "line 16,8 24,24" -draw "line 8,24 24,24" \
     -fill $O -draw "circle 8,24 11,24" -draw "circle 16,8 19,8" -draw "circle 24,24 27,24" load_graph.png
icon -stroke $B -draw "line 8,20 16,6" -draw "line 16,6 24,20" -fill $O -draw "circle 8,20 11,20" \
     -draw "circle 16,6 19,6" -draw "circle 24,20 27,20" -fill $B -draw "rectangle 6,25 26,29" save_graph.png
icon -fill white -stroke $B -draw "rectangle 9,4 23,12" -fill $B -draw "rectangle 4,12 28,22" \
     -fill white -draw "rectangle 9,18 23,28" print.png
icon -fill $G -stroke $G -draw "polygon 9,5 27,16 9,27" run.png
icon -fill $R -stroke $R -draw "rectangle 7,7 25,25" halt.png
icon -stroke $B -draw "line 6,16 16,6" -draw "line 16,6 26,16" -draw "line 26,16 16,26" -draw "line 16,26 6,16" \
     -fill $O -draw "circle 6,16 9,16" -draw "circle 16,6 19,6" -draw "circle 26,16 29,16" -draw "circle 16,26 19,26" place.png
icon -fill none -stroke $G -strokewidth 3 -draw "arc 5,5 27,27 30,330" -fill $G -draw "polygon 26,4 27,13 18,11" refresh.png
icon -fill none -stroke $R -strokewidth 3 -draw "arc 5,6 27,28 -60,240" -draw "line 16,3 16,15" exit.png
icon -fill $B -stroke $B -draw "circle 16,16 16,3" -fill white -stroke white -draw "rectangle 14,14 18,25" \
     -draw "circle 16,9 17.5,9" about.png
icon -fill white -stroke $B -draw "rectangle 7,3 25,29" -draw "line 11,9 21,9" -draw "line 11,14 21,14" \
     -draw "line 11,19 21,19" -draw "line 11,24 18,24" doc.png
icon -fill none -stroke $B -strokewidth 4 -draw "circle 16,16 16,7" -fill $O -stroke $O -draw "circle 16,16 16,13" preferences.png
icon -fill none -stroke $B -strokewidth 3 -draw "circle 13,13 13,5" -draw "line 19,19 28,28" inspector.png
icon -stroke $B -draw "line 4,14 10,4" -draw "line 10,4 16,14" -fill $O -draw "circle 4,14 6,14" -draw "circle 10,4 12,4" \
     -draw "circle 16,14 18,14" -fill none -draw "line 16,18 22,28" -draw "line 22,28 28,18" \
     -fill $G -draw "circle 16,18 18,18" -draw "circle 22,28 24,28" -draw "circle 28,18 30,18" backup.png

convert -size 64x64 xc:none -fill white -stroke $B -strokewidth 3 -draw "roundrectangle 1,1 62,62 9,9" \
     -draw "line 32,10 53,26" -draw "line 53,26 45,52" -draw "line 45,52 19,52" -draw "line 19,52 11,26" \
     -draw "line 11,26 32,10" -draw "line 32,10 32,35" -draw "line 32,35 45,52" -draw "line 32,35 19,52" \
     -fill $O -strokewidth 2 -draw "circle 32,10 36,10" -draw "circle 53,26 57,26" -draw "circle 45,52 49,52" \
     -draw "circle 19,52 23,52" -draw "circle 11,26 15,26" -draw "circle 32,35 36,35" icon_tsy.png

convert -size 480x240 xc:white -fill none -stroke $B -strokewidth 4 -draw "rectangle 2,2 477,237" \
     -strokewidth 3 -draw "line 90,50 140,90" -draw "line 140,90 120,160" -draw "line 120,160 60,160" \
     -draw "line 60,160 40,90" -draw "line 40,90 90,50" -draw "line 90,50 90,110" -draw "line 90,110 120,160" \
     -draw "line 90,110 60,160" -fill $O -strokewidth 2 -draw "circle 90,50 98,50" -draw "circle 140,90 148,90" \
     -draw "circle 120,160 128,160" -draw "circle 60,160 68,160" -draw "circle 40,90 48,90" -draw "circle 90,110 98,110" \
     -font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf -fill $B -stroke none -pointsize 40 -draw "text 180,110 'Tessaly-III'" \
     -pointsize 18 -draw "text 182,145 'extremal graph search'" -fill $O -draw "text 182,200 'Loading ...'" TSY_Loading.png
