cÿ¿ÿÿÿÿÿINTERNAwf
BCp@1//
