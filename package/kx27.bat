REM レイヤ→線種変換（レイヤごとに線種を一括変更）
REM #jww
REM #cd
REM #h1
REM #hc 線種を変換する範囲を選択してください
REM #g1
REM #gn
REM #zz
REM #zw
REM #zc
REM #ht10
REM #e
kx27.exe
