c0;0;8;=f11;c4;=7!village f13;b-5;x99999999999;s 3!ab
