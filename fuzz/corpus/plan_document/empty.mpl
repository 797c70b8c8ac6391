{
  "format": "quorvex-plan",
  "version": 1,
  "title": "",
  "planInfo": {
    "planType": 1,
    "businessKind": 0,
    "newBusiness": true,
    "businessName": ""
  },
  "profile": {
    "projectedYears": 0,
    "productCount": 0,
    "advertisingMediaCount": 0,
    "segmentCount": 0,
    "marketCount": 0,
    "marketingCounts": [
      0,
      0,
      0,
      0
    ],
    "firstYearDate": "",
    "month": 0,
    "currencyType": 0,
    "analysis": false,
    "analysisTitle": "",
    "analysisFileName": "",
    "exampleKey": ""
  },
  "submitter": {
    "submittedTo": "",
    "submissionDate": null,
    "address": {
      "name": "",
      "street": "",
      "city": "",
      "state": "",
      "zip": "",
      "telephone": "",
      "fax": ""
    }
  },
  "chapters": []
}
