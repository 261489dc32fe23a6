#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick and writes them under res/:
# the welcome picture (bitmap 1000), the picture page's (1033), the file
# name page's (1042), all 16 colours, and the program icon (128). The
# results are committed; run this again after changing a drawing.
set -eu
cd "$(dirname "$0")/../res"

# One palette for the whole set.
navy='#1f3f6f' blue='#3a7bd5' sky='#cfe3f7' white='#ffffff' orange='#e8a33d'
yellow='#f6d55c' green='#5aa55a' grey='#c0c6cc' slate='#6b7785' brick='#b5523b'
ink='#22272e'

# 16 colours, run-length encoded (bmp-rle4.py): a third of the size.
bmp16() {
  convert "$1" -alpha off -dither None -colors 16 -type Palette "BMP3:$2"
  rm -f "$1"
  python3 ../scripts/bmp-rle4.py "$2"
}

# Appends to `args` the drawing of a browser window at x,y of size w x h.
browser() {  # x y w h
  local x=$1 y=$2 w=$3 h=$4
  args+=(-fill "$white" -stroke "$navy" -strokewidth 2 -draw "roundrectangle $x,$y $((x+w)),$((y+h)) 4,4"
         -fill "$blue" -stroke none -draw "rectangle $((x+1)),$((y+1)) $((x+w-1)),$((y+12))"
         -fill "$white" -draw "circle $((x+7)),$((y+6)) $((x+9)),$((y+6))"
         -fill "$yellow" -draw "circle $((x+14)),$((y+6)) $((x+16)),$((y+6))"
         -fill "$orange" -draw "circle $((x+21)),$((y+6)) $((x+23)),$((y+6))")
}

# Welcome: a home page being built, brick by brick, under a bright sky.
args=(-size 170x265 "xc:$sky"
  -fill "$white" -draw 'circle 40,30 52,30' -draw 'circle 55,28 68,28' -draw 'circle 70,32 80,32'
  -fill "$yellow" -draw 'circle 140,28 154,28')
browser 12 55 146 120
args+=(-fill "$brick" -draw 'polygon 45,110 85,78 125,110'
  -fill "$white" -stroke "$navy" -strokewidth 1 -draw 'rectangle 55,110 115,150'
  -fill "$orange" -stroke none -draw 'rectangle 78,125 92,150'
  -fill "$blue" -draw 'rectangle 60,116 72,126' -draw 'rectangle 98,116 110,126'
  -fill "$grey" -draw 'rectangle 22,158 148,161' -draw 'rectangle 22,166 120,169'
  -fill "$green" -draw 'rectangle 0,225 170,265'
  -fill "$brick" -stroke "$white" -strokewidth 1
  -draw 'rectangle 20,200 50,212' -draw 'rectangle 50,200 80,212' -draw 'rectangle 80,200 110,212'
  -draw 'rectangle 35,188 65,200' -draw 'rectangle 65,188 95,200'
  -draw 'rectangle 20,212 50,224' -draw 'rectangle 50,212 80,224' -draw 'rectangle 80,212 110,224'
  -draw 'rectangle 110,212 140,224'
  -stroke none -fill "$slate" -draw 'polygon 118,186 150,170 154,176 124,192'
  -fill "$orange" -draw 'rectangle 146,160 152,178'
  -fill "$navy" -draw 'rectangle 0,258 170,265')
convert "${args[@]}" welcome.png
bmp16 welcome.png welcome.bmp

# Picture page: a framed photograph hung on a page.
args=(-size 169x191 "xc:$sky")
browser 10 10 149 170
args+=(-fill "$orange" -stroke "$navy" -strokewidth 1 -draw 'rectangle 30,40 139,130'
  -fill "$white" -stroke none -draw 'rectangle 38,48 131,122'
  -fill "$sky" -draw 'rectangle 40,50 129,120'
  -fill "$yellow" -draw 'circle 110,66 118,66'
  -fill "$slate" -draw 'polygon 40,120 70,72 100,120'
  -fill "$green" -draw 'polygon 70,120 100,84 129,120'
  -fill "$grey" -draw 'rectangle 30,145 139,148' -draw 'rectangle 30,154 120,157' -draw 'rectangle 30,163 130,166')
convert "${args[@]}" picture.png
bmp16 picture.png picture.bmp

# File name page: the finished page goes into a folder as HOMEPAGE.HTM.
args=(-size 184x215 "xc:$sky"
  -fill "$orange" -stroke "$navy" -strokewidth 2 -draw 'polygon 20,110 70,110 80,122 164,122 164,200 20,200')
browser 48 20 96 116
args+=(-fill "$brick" -stroke none -draw 'polygon 72,70 96,50 120,70'
  -fill "$white" -stroke "$navy" -strokewidth 1 -draw 'rectangle 78,70 114,96'
  -fill "$blue" -stroke none -draw 'rectangle 90,80 102,96'
  -fill "$grey" -draw 'rectangle 58,104 134,107' -draw 'rectangle 58,112 120,115'
  -fill "$yellow" -stroke "$navy" -strokewidth 2 -draw 'polygon 14,140 170,140 164,200 20,200'
  -stroke none -fill "$ink" -font DejaVu-Sans-Bold -pointsize 12 -draw 'text 38,178 "HOMEPAGE.HTM"')
convert "${args[@]}" filename.png
bmp16 filename.png filename.bmp

# The program icon: a house on a blue tile, 32 and 16 pixels.
convert -size 32x32 xc:none -fill "$blue" -draw 'roundrectangle 1,1 30,30 5,5' \
  -fill "$white" -draw 'polygon 6,16 16,6 26,16 23,16 23,26 9,26 9,16' \
  -fill "$orange" -draw 'rectangle 14,19 18,26' \( -clone 0 -resize 16x16 \) velbrook.ico
identify welcome.bmp picture.bmp filename.bmp velbrook.ico
