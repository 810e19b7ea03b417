REM レイヤ→線種変換　プリセット①を一括適用（ダイアログなし）
REM #jww
REM #cd
REM #h1
REM #hc 線種を変換する範囲を選択してください（プリセット①）
REM #g1
REM #gn
REM #zz
REM #zw
REM #zc
REM #ht10
REM #e
kx27c.exe -p 1 --quiet
